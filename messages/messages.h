#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace rating {

// Every text the program shows a user when something is wrong or worth
// saying, from the window and the command line alike. Each has one pattern
// in kMessages (messages.cpp); code names a message and fills in its
// placeholders, and never spells a sentence itself.
enum class Message {
  // The kinds of failure, each message's first words.
  KindTypeMismatch,
  KindOverflow,
  KindDivisionByZero,
  KindInvalidArgument,
  KindIndexOutOfRange,
  KindInvalidText,
  KindFileCreate,
  KindFileWrite,
  KindBatchFile,
  KindBatchConflict,
  KindMalformedRow,
  KindPlotFile,
  KindCsvFile,
  KindPairedDataFile,
  // Fields.
  FieldEmpty,
  FieldNotANumber,
  FieldBeyondRange,
  FieldNegative,
  FieldLineBreak,
  FieldNoFileName,
  // The computation.
  DerivedValueFault,
  DerivedValueFaultHint,
  RowFault,
  RowFaultHint,
  HintLengthZero,
  HintRoughnessZero,
  HintEqualFlows,
  HintEqualVolumes,
  // The quantities a computation fault names.
  QuantityLengthFeet,
  QuantitySlope,
  QuantityManningFactor,
  QuantityDepth,
  QuantityElevation,
  QuantityFlowArea,
  QuantityMeanWidth,
  QuantityWettedPerimeter,
  QuantityFlow,
  QuantityStorage,
  QuantityVelocity,
  QuantityVolume,
  QuantityTravelTime,
  QuantityCascades,
  TableFull,
  RowOutsideTable,
  RoundingNotFinite,
  // Files.
  FileProblem,
  FileProblemInFolder,
  // Why Windows refuses a file, where its own words would be unclear.
  ReasonFileInUse,
  ReasonReadOnly,
  ReasonReservedName,
  ReasonBadCharacter,
  ReasonTrailingDotOrBlank,
  ReasonNameRefused,
  ReasonWindowsError,
  ReasonNameTooLong,
  ReasonFolderNotWritable,
  // The command line and its batches.
  UsageUnknownOption,
  UsageMissingValue,
  UsageUnexpectedArgument,
  UsageExtraInBatch,
  UsageTryHelp,
  UsageSameFile,
  UsageBothOnStandardOutput,
  BatchProblem,
  BatchProblemAtLine,
  BatchUnknownColumn,
  BatchColumnTwice,
  BatchNoHeader,
  BatchQuoteNeverClosed,
  BatchStrayQuote,
  BatchCellTooLarge,
  BatchOutOfMemory,
  BatchUnreadable,
  BatchRowCells,
  BatchSharedFile,
  BatchReachFailed,
  BatchProgress,
  BatchSummary,
  PairedDataLeftOutOne,
  PairedDataLeftOutMany,
  // Words that messages are built from.
  WordsListPair,
  WordsListMore,
  WordsOneCell,
  WordsCells,
  WordsOneColumn,
  WordsColumns,
  WordsOfLine,
  WordsOfLines,
  WordsBatchFile,
  WordsRatingFile,
  WordsPlot,
  WordsCsvTable,
  WordsPairedData,
  // --help.
  HelpHeading,
  HelpOptionHelp,
  HelpOptionVersion,
  HelpOptionDefault,
  HelpOptionPlot,
  HelpOptionCsv,
  HelpOptionPairedData,
  HelpOptionBatch,
  HelpWindow,
  // The window.
  WindowUnknownOption,
  StartUpFolder,
  // Captions: the window, its fields, menus, names for screen readers,
  // window titles, headings.
  CaptionWindow,
  CaptionButton,
  LabelBottomWidth,
  LabelBankSlope,
  LabelFall,
  LabelLength,
  LabelRoughness,
  LabelMaxFlow,
  LabelInvert,
  LabelIncrement,
  LabelTitle,
  LabelFilename,
  OptionHelpBottomWidth,
  OptionHelpBankSlope,
  OptionHelpFall,
  OptionHelpLength,
  OptionHelpRoughness,
  OptionHelpMaxFlow,
  OptionHelpInvert,
  OptionHelpIncrement,
  OptionHelpTitle,
  OptionHelpFilename,
  CaptionListName,
  CaptionCopyTable,
  CaptionShowCurves,
  CaptionCurvesWindow,
  CaptionElevationAxis,
  CaptionFlowAxis,
  CaptionStorageAxis,
  CaptionOutflowAxis,
  CaptionTableCsvHeader,
  CaptionPairedDataHeader,
  CaptionSaveTableCsv,
  CaptionSavePairedData,
  CaptionSaveCurvesSvg,
  CaptionCsvFiles,
  CaptionSvgFiles,
  CaptionAllFiles,
  SaveNothingRated,
};

struct MessageFacts {
  Message message;
  std::string_view name;     // the message's name in the reviewed catalogue
  std::string_view pattern;  // the text, with {placeholders}
};

// A value for the placeholder `{name}`. Placeholders that hold a file's name
// ({path}, {folder}, {target}) show control characters as \xNN, so that a
// name with a tab or an escape cannot rearrange a message box or terminal.
struct MessageArgument {
  std::string_view name;
  std::string_view value;
};

// The pattern of `message` with every placeholder filled in.
std::string Compose(Message message, std::initializer_list<MessageArgument> arguments = {});

// The pattern of `message` as it stands, for messages without placeholders.
std::string_view Pattern(Message message);

// The facts of every message, in the order of Message.
std::span<const MessageFacts> AllMessages();

// A file's name as messages show it: control characters as \xNN.
std::string ShownName(std::string_view name);

}  // namespace rating
