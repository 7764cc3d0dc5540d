#include "messages/messages.h"

#include <array>
#include <stdexcept>

namespace rating {

namespace {

using enum Message;

// The program's words, in one place, so that they can be reviewed together
// (tests/engine/golden/messages.txt) and changed without hunting for them.
constexpr std::array kMessages = std::to_array<MessageFacts>({
    {KindTypeMismatch, "KindTypeMismatch", "Type mismatch"},
    {KindOverflow, "KindOverflow", "Overflow"},
    {KindDivisionByZero, "KindDivisionByZero", "Division by zero"},
    {KindInvalidArgument, "KindInvalidArgument", "Invalid argument"},
    {KindIndexOutOfRange, "KindIndexOutOfRange", "Index out of range"},
    {KindInvalidText, "KindInvalidText", "Invalid text"},
    {KindFileCreate, "KindFileCreate", "Cannot create rating file"},
    {KindFileWrite, "KindFileWrite", "Cannot write rating file"},
    {KindBatchFile, "KindBatchFile", "Cannot read batch file"},
    {KindBatchConflict, "KindBatchConflict", "Batch refused"},
    {KindMalformedRow, "KindMalformedRow", "Malformed row"},
    {KindPlotFile, "KindPlotFile", "Cannot write plot"},
    {KindCsvFile, "KindCsvFile", "Cannot write CSV table"},
    {KindPairedDataFile, "KindPairedDataFile", "Cannot write paired data"},

    {FieldEmpty, "FieldEmpty", "{kind}: {field} is empty; it needs a number."},
    {FieldNotANumber, "FieldNotANumber", "{kind}: {field} \"{text}\" is not a number."},
    {FieldBeyondRange, "FieldBeyondRange",
     "{kind}: {field} \"{text}\" is beyond the single-precision range (about 3.4E+38)."},
    {FieldNegative, "FieldNegative", "{kind}: {field} {text} must not be negative."},
    {FieldLineBreak, "FieldLineBreak", "{kind}: {field} contains a line break; it must be one line."},
    {FieldNoFileName, "FieldNoFileName", "{kind}: {field} is empty; type the name of the file to write."},

    {DerivedValueFault, "DerivedValueFault", "{kind}: computing the {quantity}."},
    {DerivedValueFaultHint, "DerivedValueFaultHint", "{kind}: computing the {quantity}: {hint}."},
    {RowFault, "RowFault", "{kind}: row {row}, {quantity}."},
    {RowFaultHint, "RowFaultHint", "{kind}: row {row}, {quantity}: {hint}."},
    {HintLengthZero, "HintLengthZero", "the channel length is 0"},
    {HintRoughnessZero, "HintRoughnessZero", "Manning's roughness is 0"},
    {HintEqualFlows, "HintEqualFlows", "two successive rows have equal flow (a fall of 0 gives no flow)"},
    {HintEqualVolumes, "HintEqualVolumes", "two successive rows have equal volume, or the flow is 0"},
    {QuantityLengthFeet, "QuantityLengthFeet", "channel length in feet"},
    {QuantitySlope, "QuantitySlope", "slope = Channel Fall (ft) / channel length"},
    {QuantityManningFactor, "QuantityManningFactor", "Manning factor 1.486 / n"},
    {QuantityDepth, "QuantityDepth", "depth"},
    {QuantityElevation, "QuantityElevation", "water-surface elevation"},
    {QuantityFlowArea, "QuantityFlowArea", "flow area"},
    {QuantityMeanWidth, "QuantityMeanWidth", "mean width"},
    {QuantityWettedPerimeter, "QuantityWettedPerimeter", "wetted perimeter"},
    {QuantityFlow, "QuantityFlow", "flow"},
    {QuantityStorage, "QuantityStorage", "storage"},
    {QuantityVelocity, "QuantityVelocity", "velocity"},
    {QuantityVolume, "QuantityVolume", "volume"},
    {QuantityTravelTime, "QuantityTravelTime", "travel time K"},
    {QuantityCascades, "QuantityCascades", "cascades"},
    {TableFull, "TableFull", "{kind}: the flow did not exceed {field} {maxFlow} by row {row}."},
    {RowOutsideTable, "RowOutsideTable", "{kind}: row {row} is outside the table (rows 0 to {lastRow})."},
    {RoundingNotFinite, "RoundingNotFinite",
     "{kind}: a value to round to three significant figures is not a finite number."},

    {FileProblem, "FileProblem", "{kind} \"{path}\": {reason}."},
    {FileProblemInFolder, "FileProblemInFolder", R"({kind} "{path}" in "{folder}": {reason}.)"},

    {ReasonFileInUse, "ReasonFileInUse", "the file is open in another program; close it there and try again"},
    {ReasonReadOnly, "ReasonReadOnly", "the file is read-only"},
    {ReasonReservedName, "ReasonReservedName",
     "Windows keeps this name for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9)"},
    {ReasonBadCharacter, "ReasonBadCharacter",
     R"(Windows allows none of < > : " / \ | ? * and no control character in a file name)"},
    {ReasonTrailingDotOrBlank, "ReasonTrailingDotOrBlank",
     "Windows would drop the dot or blank at the end of the name and write another file"},
    {ReasonNameRefused, "ReasonNameRefused", "Windows does not allow this name"},
    {ReasonWindowsError, "ReasonWindowsError", "Windows error {code}"},
    {ReasonNameTooLong, "ReasonNameTooLong", "File name too long"},
    {ReasonFolderNotWritable, "ReasonFolderNotWritable",
     "you may not create files in this folder; choose a folder you may write to, such as Documents"},

    {UsageUnknownOption, "UsageUnknownOption", "Unknown option '{option}'."},
    {UsageMissingValue, "UsageMissingValue", "Missing value after '{option}'."},
    {UsageUnexpectedArgument, "UsageUnexpectedArgument", "Unexpected argument \"{argument}\"."},
    {UsageExtraInBatch, "UsageExtraInBatch",
     "--{option} names one file; in a batch, give a \"{option}\" column."},
    {UsageTryHelp, "UsageTryHelp", "Try \"{program} --help\"."},
    {UsageSameFile, "UsageSameFile",
     "--{first} and --{second} both name \"{target}\"; give each output a file of its own."},
    {UsageBothOnStandardOutput, "UsageBothOnStandardOutput",
     "--{first} and --{second} both name standard output; only one output can go there."},
    {BatchProblem, "BatchProblem", "{kind} \"{path}\": {problem}."},
    {BatchProblemAtLine, "BatchProblemAtLine", "{kind} \"{path}\": line {line}: {problem}."},
    {BatchUnknownColumn, "BatchUnknownColumn", "unknown column \"{column}\"; the columns are {columns}"},
    {BatchColumnTwice, "BatchColumnTwice", "column \"{column}\" appears twice"},
    {BatchNoHeader, "BatchNoHeader", "no header row naming the columns"},
    {BatchQuoteNeverClosed, "BatchQuoteNeverClosed",
     "a quoted cell that starts on this line is never closed"},
    {BatchStrayQuote, "BatchStrayQuote",
     "a quote inside a cell that is not quoted, or text after a closing quote; quote the whole cell and "
     "double the quotes inside it"},
    {BatchCellTooLarge, "BatchCellTooLarge", "a cell is too large"},
    {BatchOutOfMemory, "BatchOutOfMemory", "out of memory"},
    {BatchUnreadable, "BatchUnreadable", "the table cannot be read"},
    {BatchRowCells, "BatchRowCells", "{kind}: the row has {cells} and the header names {columns}."},
    {BatchSharedFile, "BatchSharedFile", R"({kind} "{path}": "{target}" is {uses}.)"},
    {BatchReachFailed, "BatchReachFailed", "{path}:{line}: {message}"},
    {BatchProgress, "BatchProgress", "rated {done} of {total} reaches"},
    {BatchSummary, "BatchSummary", "{rated} rated, {failed} failed"},
    {PairedDataLeftOutOne, "PairedDataLeftOutOne",
     "row {first} left out of the paired data \"{path}\": storage and outflow must both increase."},
    {PairedDataLeftOutMany, "PairedDataLeftOutMany",
     "{count} rows, {first} to {last}, left out of the paired data \"{path}\": storage and outflow must "
     "both increase."},
    {WordsListPair, "WordsListPair", "{first} and {last}"},
    {WordsListMore, "WordsListMore", "{first}, {rest}"},
    {WordsOneCell, "WordsOneCell", "1 cell"},
    {WordsCells, "WordsCells", "{count} cells"},
    {WordsOneColumn, "WordsOneColumn", "1 column"},
    {WordsColumns, "WordsColumns", "{count} columns"},
    {WordsOfLine, "WordsOfLine", "{file} of line {lines}"},
    {WordsOfLines, "WordsOfLines", "{file} of lines {lines}"},
    {WordsBatchFile, "WordsBatchFile", "the batch file"},
    {WordsRatingFile, "WordsRatingFile", "the rating file"},
    {WordsPlot, "WordsPlot", "the plot"},
    {WordsCsvTable, "WordsCsvTable", "the CSV table"},
    {WordsPairedData, "WordsPairedData", "the paired data"},

    {HelpHeading, "HelpHeading",
     "Usage: {program} [options]\n"
     "Normal-depth rating of a trapezoidal channel reach for Modified Puls routing.\n"
     "Writes the rating file and prints the listing. Numbers use your locale's decimal separator.\n\n"
     "Options:\n"},
    {HelpOptionHelp, "HelpOptionHelp", "Displays help on commandline options."},
    {HelpOptionVersion, "HelpOptionVersion", "Displays version information."},
    {HelpOptionDefault, "HelpOptionDefault", "{help} Default: \"{text}\"."},
    {HelpOptionPlot, "HelpOptionPlot", "Draw the rating curves of the reach to an SVG file."},
    {HelpOptionCsv, "HelpOptionCsv",
     "Write the whole table as CSV with \".\" decimals, the values the listing shows."},
    {HelpOptionPairedData, "HelpOptionPairedData",
     "Write storage against outflow as CSV for a Modified Puls routing, both strictly increasing."},
    {HelpOptionBatch, "HelpOptionBatch",
     "Rate every reach of a CSV table whose header names the options above, plot, csv and paired-data "
     "included."},
    {HelpWindow, "HelpWindow",
     "Usage: {program} [--help] [--version]\n\n"
     "Normal-depth rating of a trapezoidal channel reach for Modified Puls routing.\n"
     "Opens the rating window: fill in the channel, press \"Create Rating File\", and the program writes\n"
     "the rating file and lists the table. For ratings without a window, see trapezoid-rating-cli.\n\n"
     "A relative rating file name, such as the default MyRating.RAT, is written in the program's own\n"
     "folder when the program is kept in a folder of its own that you may write to. A copy installed\n"
     "by a package manager writes it in your documents folder, or your home folder where there is none.\n\n"
     "Options:\n"
     "  -h, --help     Displays help on commandline options.\n"
     "  -v, --version  Displays version information.\n"},
    {WindowUnknownOption, "WindowUnknownOption",
     "Unknown option '{option}'. Usage: {program} [--help] [--version]"},
    {StartUpFolder, "StartUpFolder",
     "Cannot change the working directory to the program's folder \"{folder}\". Relative rating file names "
     "are created in \"{current}\"."},

    {CaptionWindow, "CaptionWindow", "Trapezoid Channel Normal Depth-Flow-Volume Rating"},
    {CaptionButton, "CaptionButton", "Create Rating File"},
    {LabelBottomWidth, "LabelBottomWidth", "Bottom Width (ft)"},
    {LabelBankSlope, "LabelBankSlope", "Bank Slope run/rise"},
    {LabelFall, "LabelFall", "Channel Fall (ft)"},
    {LabelLength, "LabelLength", "Channel Length (mi)"},
    {LabelRoughness, "LabelRoughness", "Manning's Roughness"},
    {LabelMaxFlow, "LabelMaxFlow", "Maximum Flow (cfs)"},
    {LabelInvert, "LabelInvert", "Invert Elevation (ft)"},
    {LabelIncrement, "LabelIncrement", "Incremental Depth (ft)"},
    {LabelTitle, "LabelTitle", "Title Line"},
    {LabelFilename, "LabelFilename", "Output Rating Filename"},
    {OptionHelpBottomWidth, "OptionHelpBottomWidth", "Bottom width (ft)."},
    {OptionHelpBankSlope, "OptionHelpBankSlope", "Bank slope, run per rise; 0 is taken as 2."},
    {OptionHelpFall, "OptionHelpFall", "Channel fall over the reach (ft)."},
    {OptionHelpLength, "OptionHelpLength", "Channel length (mi)."},
    {OptionHelpRoughness, "OptionHelpRoughness", "Manning's roughness."},
    {OptionHelpMaxFlow, "OptionHelpMaxFlow", "Maximum flow (cfs); the table ends at the first row above it."},
    {OptionHelpInvert, "OptionHelpInvert", "Invert elevation (ft)."},
    {OptionHelpIncrement, "OptionHelpIncrement", "Depth increment (ft); 0 is taken as 1."},
    {OptionHelpTitle, "OptionHelpTitle", "Title line of the rating file."},
    {OptionHelpFilename, "OptionHelpFilename",
     "Rating file to write, relative to the current directory; \"-\" is standard output."},
    {CaptionListName, "CaptionListName", "Rating table"},
    {CaptionCopyTable, "CaptionCopyTable", "Copy Table"},
    {CaptionShowCurves, "CaptionShowCurves", "Show Rating Curves…"},
    {CaptionCurvesWindow, "CaptionCurvesWindow", "Rating Curves – {title}"},
    {CaptionElevationAxis, "CaptionElevationAxis", "Elevation (ft)"},
    {CaptionFlowAxis, "CaptionFlowAxis", "Flow (cfs)"},
    {CaptionStorageAxis, "CaptionStorageAxis", "Storage (acre-ft)"},
    {CaptionOutflowAxis, "CaptionOutflowAxis", "Outflow (cfs)"},
    {CaptionTableCsvHeader, "CaptionTableCsvHeader",
     "Depth (ft),Elevation (ft),Area (sq ft),Velocity (ft/s),Flow (cfs),Storage (acre-ft),Cascades"},
    {CaptionPairedDataHeader, "CaptionPairedDataHeader", "Storage (acre-ft),Outflow (cfs)"},
    {CaptionSaveTableCsv, "CaptionSaveTableCsv", "Save Table as CSV…"},
    {CaptionSavePairedData, "CaptionSavePairedData", "Save Paired Data…"},
    {CaptionSaveCurvesSvg, "CaptionSaveCurvesSvg", "Save Rating Curves as SVG…"},
    {CaptionCsvFiles, "CaptionCsvFiles", "CSV files (*.csv)"},
    {CaptionSvgFiles, "CaptionSvgFiles", "SVG pictures (*.svg)"},
    {CaptionAllFiles, "CaptionAllFiles", "All files (*)"},
    {SaveNothingRated, "SaveNothingRated", "There is no rating to save yet; press Create Rating File first."},
});

constexpr bool InMessageOrder() {
  for (std::size_t i = 0; i < kMessages.size(); ++i) {
    if (static_cast<std::size_t>(kMessages.at(i).message) != i) return false;
  }
  return kMessages.size() == static_cast<std::size_t>(SaveNothingRated) + 1;
}
static_assert(InMessageOrder(), "kMessages must list every message in the order of Message");

// Placeholders that hold the name of a file or folder.
bool HoldsName(std::string_view placeholder) {
  return placeholder == "path" || placeholder == "folder" || placeholder == "target" ||
         placeholder == "current";
}

}  // namespace

std::string ShownName(std::string_view name) {
  std::string shown;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) {
      constexpr std::string_view kHex = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[(static_cast<unsigned char>(c) >> 4U) & 0xFU];
      shown += kHex[static_cast<unsigned char>(c) & 0xFU];
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string_view Pattern(Message message) { return kMessages.at(static_cast<std::size_t>(message)).pattern; }

std::string Compose(Message message, std::initializer_list<MessageArgument> arguments) {
  const std::string_view pattern = Pattern(message);
  std::string text;
  std::size_t at = 0;
  while (at < pattern.size()) {
    const std::size_t open = pattern.find('{', at);
    const std::size_t close = pattern.find('}', open);
    if (open == std::string_view::npos || close == std::string_view::npos) break;
    text.append(pattern.substr(at, open - at));
    const std::string_view placeholder = pattern.substr(open + 1, close - open - 1);
    const MessageArgument* argument = nullptr;
    for (const MessageArgument& candidate : arguments) {
      if (candidate.name == placeholder) argument = &candidate;
    }
    if (argument == nullptr) {
      throw std::logic_error("message " + std::string(kMessages.at(static_cast<std::size_t>(message)).name) +
                             " needs {" + std::string(placeholder) + "}");
    }
    text.append(HoldsName(placeholder) ? ShownName(argument->value) : std::string(argument->value));
    at = close + 1;
  }
  text.append(pattern.substr(std::min(at, pattern.size())));
  return text;
}

std::span<const MessageFacts> AllMessages() { return kMessages; }

}  // namespace rating
