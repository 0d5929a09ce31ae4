#pragma once

// The header block shared by the four report files.
//
// Every report begins the same way: the date and the name of the power supply
// are asked once per design run (`header_asked`, `report_date`, `smps_name` of
// the design state), the file name at every report, and the file opens with
// the maker line, an empty line and the title line. Only the texts differ;
// each report has one ReportHeader description below.
//
// Use, e.g. for the PFC choke report:
//
//   ReportWriter report =
//       OpenReportWithHeader(d, d.parts().report_header(ReportPagesKey{}), kPfcChokeReport);
//   report.Write({...});          // the body, line by line
//   report.Close();
//   return Page::kMainMenu;
//
// An empty answer ends the program (ProgramEnded) before any file is created.
// A name that cannot be created is reported on the window and asked again;
// a line that cannot be written throws ReportAborted (see report_writer.h).

#include <string_view>

#include "base/console/line.h"
#include "pages/dialogue/dialogue.h"
#include "pages/reports/report_writer.h"

namespace flyback {

struct ReportHeader {
  // Each of the three questions gets a cleared window; otherwise the page
  // that runs the header stays visible and the questions follow it.
  bool clears_window;
  // Written between two empty lines before the date question ("": nothing).
  std::string_view banner;

  // Hint lines shown above the questions ("": none); the date and name hints
  // only when the question is asked.
  std::string_view date_hint;
  std::string_view date_title;
  std::string_view date_default;
  std::string_view name_hint;
  std::string_view name_title;
  std::string_view name_default;
  std::string_view file_hint;
  std::string_view file_title;
  std::string_view file_default;

  // The maker and title lines start in the second print zone.
  bool lines_in_second_zone;
  std::string_view maker;      // followed by the date in the next zone
  std::string_view title;      // followed by the SMPS name; designs without PFC
  std::string_view title_pfc;  // the same for designs with PFC
  bool name_in_next_zone;      // the name follows in the next zone, not directly
};

inline constexpr ReportHeader kResultReport = {
    .clears_window = true,
    .banner = "PRINTING THE RESULT",
    .date_hint = "Please enter the date !",
    .date_title = "Please enter the date!",
    .date_default = "15.04.2003",
    .name_hint = "Please enter the name of SMPS !",
    .name_title = "Name of the SMPS?",
    .name_default = "SMPS 1",
    .file_hint = "Name of output file ? (e.g. Name0001.doc)",
    .file_title = "Name of output file",
    .file_default = "Name0001.doc",
    .lines_in_second_zone = false,
    .maker = "    Norvalis        Quorvane",
    .title = "    Transformer data calculated for SMPS   ",
    .title_pfc = "    Transformer data calculated for PFC SMPS   ",
    .name_in_next_zone = false,
};

inline constexpr ReportHeader kOptimizationReport = {
    .clears_window = false,
    .banner = "",
    .date_hint = "",
    .date_title = "Please enter the date!",
    .date_default = "28.03.2003",
    .name_hint = "",
    .name_title = "Name of SMPS?",
    .name_default = "SMPS 1",
    .file_hint = "",
    .file_title = "Name of output file?",
    .file_default = "Name0001.doc",
    .lines_in_second_zone = true,
    .maker = "Norvalis        Quorvane",
    .title = "Optimization for SMPS   ",
    .title_pfc = "Optimization for SMPS   ",
    .name_in_next_zone = false,
};

inline constexpr ReportHeader kPfcChokeReport = {
    .clears_window = true,
    .banner = "",
    .date_hint = " Please enter the date !",
    .date_title = "Date",
    .date_default = "01.01.2002",
    .name_hint = " Please enter the name !",
    .name_title = "Name of SMPS",
    .name_default = "SMPS 1",
    .file_hint = "Name of output file ?",
    .file_title = " Name of output file",
    .file_default = "Name0001.doc",
    .lines_in_second_zone = false,
    .maker = "      Norvalis        Quorvane",
    .title = "      CALCULATION OF THE PFC CHOKE",
    .title_pfc = "      CALCULATION OF THE PFC CHOKE",
    .name_in_next_zone = true,
};

inline constexpr ReportHeader kComponentListReport = {
    .clears_window = true,
    .banner = "",
    .date_hint = "Please enter the date !",
    .date_title = "Date ?",
    .date_default = "15.04.2003",
    .name_hint = "Please enter the name of SMPS !",
    .name_title = "Name of SMPS ?",
    .name_default = "SMPS 1",
    .file_hint = "Name of output file ?",
    .file_title = "Name of output file ?",
    .file_default = "Name0002.doc",
    .lines_in_second_zone = false,
    .maker = "      Norvalis        Quorvane",
    .title = "      List 1 of components for SMPS   ",
    .title_pfc = "      List 1 of components for PFC SMPS   ",
    .name_in_next_zone = false,
};

// Asks what is missing of date, name and file name, creates the file and
// writes the maker line, an empty line and the title line. The date and name
// are kept in `answers`, the report header part of the design.
ReportWriter OpenReportWithHeader(Dialogue& d, ReportHeaderAnswers& answers,
                                  const ReportHeader& header);

// The maker line with the stored date, for reports that start a second list.
Line MakerLine(const ReportHeader& header, const DesignState& state);

}  // namespace flyback
