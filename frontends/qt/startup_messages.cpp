#include "startup_messages.h"

#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <iostream>
#include <string>
#include <vector>

#include "exit_status.h"
#include "window_system.h"

namespace flyback {

namespace {

struct HeldMessage {
  QtMsgType type;
  std::string category;
  QString text;
};

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> messages;
  return messages;
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    Held().push_back({type, context.category != nullptr ? context.category : "", text});
    return;
  }
  if (qEnvironmentVariableIsSet(kTerminalFallbackVariable)) _exit(kWindowUnavailable);
  std::cerr << "flyback-gui: " << NoWindowReason() << '\n' << std::flush;
  _exit(kUnusableStart);
}

}  // namespace

StartupMessages::StartupMessages() {
  qInstallMessageHandler(HoldMessage);
}

StartupMessages::~StartupMessages() {
  qInstallMessageHandler(nullptr);
  for (const HeldMessage& message : Held()) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
    qt_message_output(message.type, context, message.text);
  }
  Held().clear();
}

}  // namespace flyback
