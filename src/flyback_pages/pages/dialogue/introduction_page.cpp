#include <array>

#include "pages/dialogue/pages.h"

namespace flyback {

Page IntroductionPage(Dialogue& d) {
  static constexpr std::array<const char*, 11> kIntroduction = {
      " This program calculates the transformer and all needed components of a flyback "
      "switched mode power supply.",
      " As control circuit the Norvalis control circuit QRM1X305 or PWX 40218-2 is used.",
      " In addition to the printed result a complete list of components can be created.",
      " The print command generates a word-file which can be editored subsequently.",
      " The program can be quitted anytime with 'Abbrechen'.",
      " Please press always 'Return' to test the program for the first time. The 80 W "
      "demoboard with QRM1X305 is then calculated.",
      " If you enter '4' for the 'Number of secondary outputs', the 200 W demo board is "
      "calculated.",
      " After the first calculation an optimization of the voltage per turn can be made",
      " so that all output voltages lie as good as possible within the tolerances.",
      " Please note that all calculated values are not final but should be seen as a starting "
      "point for the development of the SMPS.",
      " Updated on 15st April 2003.",
  };
  d.Clear();
  d.Write();
  for (std::size_t i = 0; i < kIntroduction.size(); ++i) {
    if (i > 0) d.Write();
    d.Write({kIntroduction[i]});
  }
  d.Ask({"continue with OK", "continue", ""});
  d.Clear();
  d.parts().StartDesignRun(DriverPagesKey{});
  return Page::kOutputs;
}

}  // namespace flyback
