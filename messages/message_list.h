#pragma once

// Every text the program shows a user, each written once: its name and its
// pattern, whose {placeholders} a caller fills in. The one list makes both
// the Message enumeration and the table of patterns (messages.h), so that
// they cannot drift apart, and the compiler checks every placeholder a
// caller fills in against it. Reviewed together in
// tests/engine/golden/messages.txt.
// NOLINTBEGIN(cppcoreguidelines-macro-usage): the one list, expanded where it is needed
#define RATING_MESSAGES(X)                                                                                   \
  /* The kinds of failure, each message's first words. */                                                    \
  X(KindTypeMismatch, "Type mismatch")                                                                       \
  X(KindOverflow, "Overflow")                                                                                \
  X(KindDivisionByZero, "Division by zero")                                                                  \
  X(KindInvalidArgument, "Invalid argument")                                                                 \
  X(KindIndexOutOfRange, "Index out of range")                                                               \
  X(KindInvalidText, "Invalid text")                                                                         \
  X(KindFileCreate, "Cannot create rating file")                                                             \
  X(KindFileWrite, "Cannot write rating file")                                                               \
  X(KindBatchFile, "Cannot read batch file")                                                                 \
  X(KindBatchConflict, "Batch refused")                                                                      \
  X(KindMalformedRow, "Malformed row")                                                                       \
  X(KindPlotFile, "Cannot write plot")                                                                       \
  X(KindCsvFile, "Cannot write CSV table")                                                                   \
  X(KindPairedDataFile, "Cannot write paired data")                                                          \
  /* Fields. */                                                                                              \
  X(FieldEmpty, "{kind}: {field} is empty; it needs a number.")                                              \
  X(FieldNotANumber, "{kind}: {field} \"{text}\" is not a number.")                                          \
  X(FieldBeyondRange, "{kind}: {field} \"{text}\" is beyond the single-precision range (about 3.4E+38).")    \
  X(FieldNegative, "{kind}: {field} {text} must not be negative.")                                           \
  X(FieldLineBreak, "{kind}: {field} contains a line break; it must be one line.")                           \
  X(FieldNoFileName, "{kind}: {field} is empty; type the name of the file to write.")                        \
  /* The computation. */                                                                                     \
  X(DerivedValueFault, "{kind}: computing the {quantity}.")                                                  \
  X(DerivedValueFaultHint, "{kind}: computing the {quantity}: {hint}.")                                      \
  X(RowFault, "{kind}: row {row}, {quantity}.")                                                              \
  X(RowFaultHint, "{kind}: row {row}, {quantity}: {hint}.")                                                  \
  X(RowFaultBlamed, "{kind}: row {row}, {quantity}: caused by {field} {value}.")                             \
  X(RowFaultHintBlamed, "{kind}: row {row}, {quantity}: {hint}; {field} is {value}.")                        \
  X(HintLengthZero, "the channel length is 0")                                                               \
  X(HintRoughnessZero, "Manning's roughness is 0")                                                           \
  X(HintEqualFlows, "two successive rows have equal flow (a fall of 0 gives no flow)")                       \
  X(HintStepTooSmall, "the depth step is too small to change the flow from one row to the next")             \
  /* The quantities a computation fault names. */                                                            \
  X(QuantityLengthFeet, "channel length in feet")                                                            \
  X(QuantitySlope, "slope = Channel Fall (ft) / channel length")                                             \
  X(QuantityManningFactor, "Manning factor 1.486 / n")                                                       \
  X(QuantityDepth, "depth")                                                                                  \
  X(QuantityElevation, "water-surface elevation")                                                            \
  X(QuantityFlowArea, "flow area")                                                                           \
  X(QuantityMeanWidth, "mean width")                                                                         \
  X(QuantityWettedPerimeter, "wetted perimeter")                                                             \
  X(QuantityFlow, "flow")                                                                                    \
  X(QuantityStorage, "storage")                                                                              \
  X(QuantityVelocity, "velocity")                                                                            \
  X(QuantityVolume, "volume")                                                                                \
  X(QuantityTravelTime, "travel time K")                                                                     \
  X(QuantityCascades, "cascades")                                                                            \
  X(TableFull,                                                                                               \
    "{kind}: the table would need more than {rows} rows to pass {field} {maxFlow} in steps of "              \
    "{incrementField} {increment}; raise the increment or lower the maximum flow.")                          \
  X(RowOutsideTable, "{kind}: row {row} is outside the table (rows 0 to {lastRow}).")                        \
  X(RoundingNotFinite, "{kind}: a value to round to three significant figures is not a finite number.")      \
  /* Channel sections. */                                                                                    \
  X(FieldNotAShape,                                                                                          \
    "{kind}: {field} \"{text}\" is not a section; it is trapezoid, rectangle, circle or section.")           \
  X(FieldNotPositive, "{kind}: {field} {text} must be more than 0.")                                         \
  X(SectionPointCount, "{kind}: the section has {count}; it needs from 3 to 10000.")                         \
  X(SectionRowCells, "{kind}: section row {row} has {cells}; it holds the station, then the elevation.")     \
  X(SectionRowNotANumber, "{kind}: section row {row}, {column} \"{text}\" is not a number.")                 \
  X(SectionStationBackwards,                                                                                 \
    "{kind}: section row {row}, station {station} is left of station {previous} of the row before; the "     \
    "stations go from left to right, looking downstream.")                                                   \
  X(SectionBankOutside,                                                                                      \
    "{kind}: {field} {text} lies outside the section, whose stations run from {first} to {last}.")           \
  X(SectionBanksCrossed, "{kind}: {field} {text} must be left of {rightField} {right}.")                     \
  X(SectionAboveEnd,                                                                                         \
    "{kind}: row {row}, the water surface at {elevation} ft rises above the {end} end of the section, at "   \
    "{endElevation} ft, before {field} {maxFlow} is reached; extend the section, or lower the maximum "      \
    "flow.")                                                                                                 \
  X(WordsLeftEnd, "left")                                                                                    \
  X(WordsRightEnd, "right")                                                                                  \
  X(WordsStationColumn, "station")                                                                           \
  X(WordsElevationColumn, "elevation")                                                                       \
  X(WordsPoints, "{count} points")                                                                           \
  X(WordsOnePoint, "1 point")                                                                                \
  X(PipeTooSmall,                                                                                            \
    "{kind}: the pipe carries at most {capacity} cfs, near 0.94 of its diameter, which does not pass "       \
    "{field} {maxFlow}; lower the maximum flow, or raise {diameterField} {diameter}.")                       \
  X(PipeAboveCrown,                                                                                          \
    "{kind}: row {row}, the depth {depth} ft rises above the crown of the pipe, {diameterField} "            \
    "{diameter}; take a smaller {incrementField}.")                                                          \
  X(SectionParameterRectangle, "Rectangle BW={width} Fall={fall} ChL={length} n={n}")                        \
  X(SectionParameterCircle, "Circle D={diameter} Fall={fall} ChL={length} n={n}")                            \
  X(SectionParameterSurveyed,                                                                                \
    "Section {points}, banks {left} to {right}, Fall={fall} ChL={length} n={nLeft}/{n}/{nRight}")            \
  X(SectionFileHeader, "Station (ft),Elevation (ft)")                                                        \
  X(SectionSummary, "{points}, stations {first} to {last} ft")                                               \
  X(CaptionStationAxis, "Station (ft)")                                                                      \
  X(CaptionLeftBank, "left bank")                                                                            \
  X(CaptionRightBank, "right bank")                                                                          \
  X(CaptionSectionWindow, "Surveyed Section")                                                                \
  X(CaptionSectionPaste, "Ground points (paste with Ctrl+V)")                                                \
  X(CaptionOpenSection, "Open Section…")                                                                     \
  X(SectionNoPoints,                                                                                         \
    "Paste the section's ground points (Ctrl+V), station and elevation, or open a section file.")            \
  X(UnitsUsCustomary, "US customary")                                                                        \
  X(UnitsSi, "SI")                                                                                           \
  X(KindSectionFile, "Cannot read section file")                                                             \
  X(KindSectionCsvFile, "Cannot write section file")                                                         \
  X(WordsSectionFile, "the section file")                                                                    \
  /* Files. */                                                                                               \
  X(FileProblem, "{kind} \"{path}\": {reason}.")                                                             \
  X(FileProblemInFolder, R"({kind} "{path}" in "{folder}": {reason}.)")                                      \
  /* Why Windows refuses a file, where its own words would be unclear. */                                    \
  X(ReasonFileInUse,                                                                                         \
    "the file is open in another program, perhaps another copy of this one; close it there and try again")   \
  X(ReasonReadOnly, "the file is read-only")                                                                 \
  X(ReasonReservedName,                                                                                      \
    "Windows keeps this name for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9)")                 \
  X(ReasonBadCharacter,                                                                                      \
    "Windows allows none of < > : \" / \\ | ? * and no control character in a file name")                    \
  X(ReasonTrailingDotOrBlank,                                                                                \
    "Windows would drop the dot or blank at the end of the name and write another file")                     \
  X(ReasonNameRefused, "Windows does not allow this name")                                                   \
  X(ReasonNamesAFolder, "this names a folder; type the name of a file, such as MyRating.RAT")                \
  X(ReasonNotAFile,                                                                                          \
    "this names a device, a pipe or standard output, not a file; type the name of a file, such as "          \
    "MyRating.RAT")                                                                                          \
  X(ReasonFolderMissing, "the folder it would go in does not exist")                                         \
  X(ReasonFolderMissingNamed,                                                                                \
    "the folder \"{folder}\" does not exist; create it, or choose a folder that exists")                     \
  X(WordsStandardOutput, "standard output (-)")                                                              \
  X(DownloadNameRefused, "{kind}: {field} \"{text}\" cannot be the name of a downloaded file: {reason}.")    \
  X(ReasonWindowsError, "Windows error {code}")                                                              \
  X(ReasonNameTooLong, "File name too long")                                                                 \
  X(ReasonFolderNotWritable,                                                                                 \
    "you may not create files in this folder; choose a folder you may write to, such as Documents")          \
  /* The command line and its batches. */                                                                    \
  X(UsageUnknownOption, "Unknown option '{option}'.")                                                        \
  X(UsageMissingValue, "Missing value after '{option}'.")                                                    \
  X(UsageUnexpectedArgument, "Unexpected argument \"{argument}\".")                                          \
  X(UsageExtraInBatch, "--{option} names one file; in a batch, give a \"{option}\" column.")                 \
  X(UsageTryHelp, "Try \"{program} --help\".")                                                               \
  X(UsageSameFile, "--{first} and --{second} both name \"{target}\"; give each output a file of its own.")   \
  X(UsageOutputIsInput,                                                                                      \
    "--{first} names \"{target}\", which --{second} reads; give each output a file of its own.")             \
  X(UsageBothOnStandardOutput,                                                                               \
    "--{first} and --{second} both name standard output; only one output can go there.")                     \
  X(BatchProblem, "{kind} \"{path}\": {problem}.")                                                           \
  X(BatchProblemAtLine, "{kind} \"{path}\": line {line}: {problem}.")                                        \
  X(BatchUnknownColumn, "unknown column \"{column}\"; the columns are {columns}")                            \
  X(BatchColumnTwice, "column \"{column}\" appears twice")                                                   \
  X(BatchNoHeader, "no header row naming the columns")                                                       \
  X(TableQuoteNeverClosed, "a quoted cell that starts on this line is never closed")                         \
  X(TableStrayQuote,                                                                                         \
    "a quote inside a cell that is not quoted, or text after a closing quote; quote the whole cell and "     \
    "double the quotes inside it")                                                                           \
  X(TableCellTooLarge, "a cell is too large")                                                                \
  X(TableOutOfMemory, "out of memory")                                                                       \
  X(TableUnreadable, "the table cannot be read")                                                             \
  X(BatchNotUtf8, "the text is neither UTF-8 nor UTF-16; save the table as \"CSV UTF-8 (Comma delimited)\"") \
  X(BatchRowCells, "{kind}: the row has {cells} and the header names {columns}.")                            \
  X(BatchSharedFile, R"({kind} "{path}": "{target}" is {uses}.)")                                            \
  X(BatchReachFailed, "{path}:{line}: {message}")                                                            \
  X(BatchProgress, "rated {done} of {total} reaches")                                                        \
  X(BatchSummary, "{rated} rated, {failed} failed")                                                          \
  X(PairedDataLeftOutOne,                                                                                    \
    "row {first} left out of the paired data \"{path}\": storage and outflow must both increase.")           \
  X(PairedDataLeftOutMany,                                                                                   \
    "{count} rows, {first} to {last}, left out of the paired data \"{path}\": storage and outflow must "     \
    "both increase.")                                                                                        \
  /* Words that messages are built from. */                                                                  \
  X(WordsListPair, "{first} and {last}")                                                                     \
  X(WordsListMore, "{first}, {rest}")                                                                        \
  X(WordsOneCell, "1 cell")                                                                                  \
  X(WordsCells, "{count} cells")                                                                             \
  X(WordsOneColumn, "1 column")                                                                              \
  X(WordsColumns, "{count} columns")                                                                         \
  X(WordsOfLine, "{file} of line {lines}")                                                                   \
  X(WordsOfLines, "{file} of lines {lines}")                                                                 \
  X(WordsBatchFile, "the batch file")                                                                        \
  X(WordsRatingFile, "the rating file")                                                                      \
  X(WordsPlot, "the plot")                                                                                   \
  X(WordsCsvTable, "the CSV table")                                                                          \
  X(WordsPairedData, "the paired data")                                                                      \
  X(WordsInflow, "the inflow")                                                                               \
  X(WordsStorageOutflow, "the storage-outflow pairs")                                                        \
  X(WordsRoutedHydrograph, "the routed hydrograph")                                                          \
  X(WordsHydrographPlot, "the hydrograph plot")                                                              \
  /* --help. */                                                                                              \
  X(HelpHeading,                                                                                             \
    "Usage: {program} [options]\n"                                                                           \
    "Normal-depth rating of a trapezoidal channel reach for Modified Puls routing.\n"                        \
    "Writes the rating file and prints the listing. Numbers use your locale's decimal separator.\n\n"        \
    "Options:\n")                                                                                            \
  X(HelpOptionHelp, "Displays help on commandline options.")                                                 \
  X(HelpOptionVersion, "Displays version information.")                                                      \
  X(HelpOptionDefault, "{help} Default: \"{text}\".")                                                        \
  X(HelpOptionPlot, "Draw the rating curves of the reach to an SVG file.")                                   \
  X(HelpOptionCsv, "Write the whole table as CSV with \".\" decimals, the values the listing shows.")        \
  X(HelpOptionPairedData,                                                                                    \
    "Write storage against outflow as CSV for a Modified Puls routing, both strictly increasing.")           \
  X(HelpOptionBatch,                                                                                         \
    "Rate every reach of a CSV table whose header names the options above, plot, csv and paired-data "       \
    "included.")                                                                                             \
  X(HelpWindow,                                                                                              \
    "Usage: {program} [--help] [--version] [--units us|si]\n\n"                                              \
    "Normal-depth rating of a trapezoidal channel reach for Modified Puls routing.\n"                        \
    "Opens the rating window: fill in the channel, press \"Create Rating File\", and the program writes\n"   \
    "the rating file and lists the table. For ratings without a window, see trapezoid-rating-cli.\n\n"       \
    "A relative rating file name, such as the default MyRating.RAT, is written in the program's own\n"       \
    "folder when the program is kept in a folder of its own that you may write to. A copy installed\n"       \
    "by a package manager writes it in your documents folder, or your home folder where there is none.\n\n"  \
    "Options:\n"                                                                                             \
    "  -h, --help     Displays help on commandline options.\n"                                               \
    "  -v, --version  Displays version information.\n"                                                       \
    "  --units si     Starts in SI units (m, km, m3/s, 1000 m3) rather than US customary.\n")                \
  /* The window. */                                                                                          \
  X(WindowUnknownOption, "Unknown option '{option}'. Usage: {program} [--help] [--version] [--units us|si]") \
  X(WindowBadUnits,                                                                                          \
    "--units '{value}' is not a system of units; it is us or si. Usage: {program} --units si")               \
  X(StartUpFolder,                                                                                           \
    "Cannot change the working directory to the program's folder \"{folder}\". Relative rating file names "  \
    "are created in \"{current}\".")                                                                         \
  /* Captions: the window, its fields, menus, names for screen readers, window titles, headings. */          \
  X(CaptionWindow, "Trapezoid Channel Normal Depth-Flow-Volume Rating")                                      \
  X(CaptionButton, "Create Rating File")                                                                     \
  X(LabelBottomWidth, "Bottom Width (ft)")                                                                   \
  X(LabelBankSlope, "Bank Slope run/rise")                                                                   \
  X(LabelFall, "Channel Fall (ft)")                                                                          \
  X(LabelLength, "Channel Length (mi)")                                                                      \
  X(LabelRoughness, "Manning's Roughness")                                                                   \
  X(LabelMaxFlow, "Maximum Flow (cfs)")                                                                      \
  X(LabelInvert, "Invert Elevation (ft)")                                                                    \
  X(LabelIncrement, "Incremental Depth (ft)")                                                                \
  X(LabelTitle, "Title Line")                                                                                \
  X(LabelFilename, "Output Rating Filename")                                                                 \
  X(OptionHelpBottomWidth, "Bottom width (ft).")                                                             \
  X(OptionHelpBankSlope, "Bank slope, run per rise; 0 is taken as 2.")                                       \
  X(OptionHelpFall, "Channel fall over the reach (ft).")                                                     \
  X(OptionHelpLength, "Channel length (mi).")                                                                \
  X(OptionHelpRoughness, "Manning's roughness.")                                                             \
  X(OptionHelpMaxFlow, "Maximum flow (cfs); the table ends at the first row above it.")                      \
  X(OptionHelpInvert, "Invert elevation (ft).")                                                              \
  X(OptionHelpIncrement, "Depth increment (ft); 0 is taken as 1.")                                           \
  X(LabelShape, "Section")                                                                                   \
  X(LabelDiameter, "Diameter (ft)")                                                                          \
  X(LabelLeftBank, "Left Bank Station (ft)")                                                                 \
  X(LabelRightBank, "Right Bank Station (ft)")                                                               \
  X(LabelLeftRoughness, "Left Overbank n")                                                                   \
  X(LabelRightRoughness, "Right Overbank n")                                                                 \
  X(LabelUnits, "Units")                                                                                     \
  X(OptionHelpUnits, "System of units: us (ft, mi, cfs, acre-ft) or si (m, km, m3/s, 1000 m3).")             \
  X(FieldNotAUnitSystem, "{kind}: {field} \"{text}\" is not a system of units; it is us or si.")             \
  X(ShapeTrapezoid, "Trapezoid")                                                                             \
  X(ShapeRectangle, "Rectangle")                                                                             \
  X(ShapeCircle, "Circle")                                                                                   \
  X(ShapeSurveyed, "Surveyed")                                                                               \
  X(OptionHelpShape,                                                                                         \
    "Channel section: trapezoid, rectangle, circle, or section (surveyed, from --section).")                 \
  X(OptionHelpDiameter, "Pipe diameter (ft), of --shape circle.")                                            \
  X(OptionHelpLeftBank, "Left bank station (ft) of a surveyed section; blank: its first point.")             \
  X(OptionHelpRightBank, "Right bank station (ft) of a surveyed section; blank: its last point.")            \
  X(OptionHelpLeftRoughness, "Manning's n of the left overbank; blank: the channel's.")                      \
  X(OptionHelpRightRoughness, "Manning's n of the right overbank; blank: the channel's.")                    \
  X(HelpOptionSection, "Ground points of a surveyed section (CSV: station, elevation), of --shape section.") \
  X(HelpOptionSectionOut, "Write the ground points of the section rated as CSV, as --section reads them.")   \
  X(UsageShapeDoesNotUse, "--{option} is not used by a {shape} section; leave it out.")                      \
  X(UsageSectionNeedsPoints, "--shape section needs its ground points: give --section POINTS.csv.")          \
  X(OptionHelpTitle, "Title line of the rating file.")                                                       \
  X(OptionHelpFilename,                                                                                      \
    "Rating file to write, relative to the current directory; \"-\" is standard output.")                    \
  X(CaptionListName, "Rating table")                                                                         \
  X(CaptionCopyTable, "Copy Table")                                                                          \
  X(CaptionShowCurves, "Show Rating Curves…")                                                                \
  X(CaptionCurvesWindow, "Rating Curves – {title}")                                                          \
  X(CaptionElevationAxis, "Elevation (ft)")                                                                  \
  X(CaptionFlowAxis, "Flow (cfs)")                                                                           \
  X(CaptionStorageAxis, "Storage (acre-ft)")                                                                 \
  X(CaptionOutflowAxis, "Outflow (cfs)")                                                                     \
  X(CaptionTableCsvHeader,                                                                                   \
    "Depth (ft),Elevation (ft),Area (sq ft),Velocity (ft/s),Flow (cfs),Storage (acre-ft),Cascades")          \
  X(CaptionPairedDataHeader, "Storage (acre-ft),Outflow (cfs)")                                              \
  X(CaptionReachDescription,                                                                                 \
    "Bottom width {width} ft, side slopes {slope}:1, fall {fall} ft over {length} mi, n = {n}")              \
  X(CaptionRectangleDescription, "Rectangle {width} ft wide, fall {fall} ft over {length} mi, n = {n}")      \
  X(CaptionCircleDescription, "Pipe {diameter} ft in diameter, fall {fall} ft over {length} mi, n = {n}")    \
  X(CaptionSurveyedDescription,                                                                              \
    "Surveyed section of {points}, banks at {left} and {right} ft, fall {fall} ft over {length} mi, "        \
    "n = {nLeft}/{n}/{nRight}")                                                                              \
  X(CaptionSaveTableCsv, "Save Table as CSV…")                                                               \
  X(CaptionSavePairedData, "Save Paired Data…")                                                              \
  X(CaptionSaveCurvesSvg, "Save Rating Curves as SVG…")                                                      \
  X(CaptionCsvFiles, "CSV files (*.csv)")                                                                    \
  X(CaptionSvgFiles, "SVG pictures (*.svg)")                                                                 \
  X(CaptionAllFiles, "All files (*)")                                                                        \
  X(CaptionBrowse, "Browse…")                                                                                \
  X(CaptionRatingFiles, "Rating files (*.RAT)")                                                              \
  X(PageNeedsScript, "This page rates a reach with JavaScript; allow scripts for it to use it.")             \
  X(NoteBankSlopeZero, "A Bank Slope run/rise of 0 is taken as 2.")                                          \
  X(NoteIncrementZero, "An Incremental Depth (ft) of 0 is taken as 1 ft.")                                   \
  X(NoteBothZeros, "A Bank Slope run/rise of 0 is taken as 2, and an Incremental Depth (ft) of 0 as 1 ft.")  \
  /* Routing a flood through the reach. */                                                                   \
  X(KindRouting, "Cannot route")                                                                             \
  X(RoutingProblem, "{kind}: {problem}.")                                                                    \
  X(RoutingTooFewPairs, "the storage-outflow table needs at least two pairs")                                \
  X(RoutingUnitsDiffer,                                                                                      \
    "the rating is in {rated} units and the inflow was read in {read} units; press Create Rating File to "   \
    "rate the reach in {read} units")                                                                        \
  X(RoutingPairNotAFlow, "pair {pair}: outflow {outflow} cfs is not a flow")                                 \
  X(RoutingStorageNotIncreasing,                                                                             \
    "pair {pair}: storage {storage} acre-ft is not above the {previous} acre-ft of the pair before; "        \
    "storage "                                                                                               \
    "must increase")                                                                                         \
  X(RoutingOutflowDecreasing,                                                                                \
    "pair {pair}: outflow {outflow} cfs is below the {previous} cfs of the pair before; outflow must not "   \
    "decrease")                                                                                              \
  X(RoutingTooFewOrdinates, "the inflow hydrograph needs at least two ordinates")                            \
  X(RoutingTooManyOrdinates, "the inflow hydrograph has {count} ordinates; at most 1000000 are routed")      \
  X(RoutingTimeStepNotPositive, "the time step must be more than 0")                                         \
  X(RoutingSubreachesOutOfRange,                                                                             \
    "the number of subreaches must be a whole number from 1 to 1000, not {count}")                           \
  X(RoutingNegativeInflow, "ordinate {ordinate}, at {time} h: inflow {flow} cfs is negative")                \
  X(RoutingInitialOutflowOutside,                                                                            \
    "the initial outflow {flow} cfs lies outside the storage-outflow table, which reaches {highest} cfs")    \
  X(RoutingAboveTable,                                                                                       \
    "ordinate {ordinate}, at {time} h, inflow {flow} cfs, routes above the highest pair of the "             \
    "storage-outflow table, {highest} cfs; raise the Maximum Flow of the rating")                            \
  X(RoutingBelowTable,                                                                                       \
    "ordinate {ordinate}, at {time} h, routes below the lowest pair of the storage-outflow table: the time " \
    "step is too long for the storage of a subreach; shorten it, or use fewer subreaches")                   \
  X(HydrographRow, "row {row}: {problem}")                                                                   \
  X(HydrographCells, "{cells}; a hydrograph row holds the flow, or the time and then the flow")              \
  X(HydrographNotAFlow, "\"{text}\" is not a flow in cfs")                                                   \
  X(HydrographNegative, "the inflow {text} cfs is negative")                                                 \
  X(HydrographNotATime,                                                                                      \
    "\"{text}\" is not a time; write hours (1.5), hours and minutes (30:15) or a date and time "             \
    "(2026-05-01 06:00)")                                                                                    \
  X(HydrographNotLater, "the time {text} does not come after the row before")                                \
  X(HydrographUneven,                                                                                        \
    "the time {text} comes {gap} h after the row before, where the rows are {step} h apart; the times must " \
    "be evenly spaced")                                                                                      \
  X(TableOtherUnits,                                                                                         \
    "the header names {unit}, a unit of {named}, but the units chosen are {chosen}; choose {named}, or "     \
    "give the table in {chosen} units")                                                                      \
  X(PairsCells, "{cells}; a storage-outflow row holds the storage (acre-ft), then the outflow (cfs)")        \
  X(PairsNotANumber, "\"{text}\" is not a storage or a flow of 0 or more")                                   \
  X(PairsStorageNotIncreasing,                                                                               \
    "storage {storage} acre-ft is not above the {previous} acre-ft of the row before; storage must "         \
    "increase")                                                                                              \
  X(PairsOutflowDecreasing,                                                                                  \
    "outflow {outflow} cfs is below the {previous} cfs of the row before; outflow must not decrease")        \
  X(KindPairsFile, "Cannot read storage-outflow file")                                                       \
  X(UsageRatingWithPairs,                                                                                    \
    "--{option} rates a reach; --storage-outflow routes through its pairs instead, so leave one of them "    \
    "out.")                                                                                                  \
  X(HelpOptionStorageOutflow, "Route through these storage-outflow pairs (CSV) instead of a rating.")        \
  X(HelpOptionHydrographPlot, "Write the routed hydrographs as an SVG chart.")                               \
  X(KindHydrographPlot, "Cannot write hydrograph plot")                                                      \
  X(InflowOrdinates, "{count} ordinates")                                                                    \
  X(InflowOrdinatesOver, "{count} ordinates over {span} h")                                                  \
  X(CaptionRouteFlood, "Route a Flood…")                                                                     \
  X(CaptionRoutingWindow, "Route a Flood – {title}")                                                         \
  X(CaptionInflowPaste, "Inflow (paste with Ctrl+V)")                                                        \
  X(CaptionOpenHydrograph, "Open Hydrograph…")                                                               \
  X(CaptionTimeStep, "Time step")                                                                            \
  X(CaptionSubreaches, "Subreaches")                                                                         \
  X(CaptionInitialOutflow, "Initial outflow (cfs)")                                                          \
  X(CaptionRoute, "Route")                                                                                   \
  X(CaptionSaveRoutedCsv, "Save Routed Hydrograph as CSV…")                                                  \
  X(CaptionSaveHydrographSvg, "Save Hydrograph Plot as SVG…")                                                \
  X(CaptionCopyRouted, "Copy Routed Hydrograph")                                                             \
  X(CaptionSuggestedSubreaches, "suggested: {count}")                                                        \
  X(RoutingNoRating, "Create a rating file to route a flood through it.")                                    \
  X(RoutingNoInflow, "Paste an inflow hydrograph (Ctrl+V), or open one, to route it.")                       \
  X(RoutingNeedsTimeStep,                                                                                    \
    "Cannot route: the inflow gives no times; give {setting} a duration, such as 15min.")                    \
  X(RoutingBadField, "Cannot route: {field} \"{value}\" is not {expected}.")                                 \
  X(RoutingStepDisagrees,                                                                                    \
    "Cannot route: {setting} {given} disagrees with the inflow's times, which are {file} h apart.")          \
  X(KindInflowFile, "Cannot read inflow file")                                                               \
  X(KindRoutedFile, "Cannot write routed hydrograph")                                                        \
  X(RoutingInFile, "{path}: {message}")                                                                      \
  X(RoutingSummary,                                                                                          \
    "Routed {ordinates} ordinates through {subreaches} subreaches at a time step of {step} s.")              \
  X(RoutingSummaryPeaks,                                                                                     \
    "Inflow peak {inflowPeak} cfs at {inflowTime} h; outflow peak {outflowPeak} cfs at {outflowTime} h.\n"   \
    "Attenuation {attenuation} %; lag {lag} h.")                                                             \
  X(RoutingSummarySteady, "Steady flow of {flow} cfs: no peak, attenuation or lag to report.")               \
  X(RoutingSummaryVolumes,                                                                                   \
    "Volume in {volumeIn} acre-ft, out {volumeOut} acre-ft; storage {storageStart} acre-ft at the start "    \
    "and {storageEnd} acre-ft at the end; mass balance {balance} acre-ft.")                                  \
  X(RoutingSummaryNotReceded,                                                                                \
    "The outflow has not receded: {outflow} cfs at the last ordinate, {time} h, with {held} acre-ft more "   \
    "in "                                                                                                    \
    "the reach than at the start; route a longer inflow to see the whole flood.")                            \
  X(CaptionRoutedHeader, "Time (h),Inflow (cfs),Outflow (cfs)")                                              \
  X(CaptionRoutedStampHeader, "Date and time")                                                               \
  X(CaptionTimeAxis, "Time (h)")                                                                             \
  X(CaptionInflow, "Inflow")                                                                                 \
  X(CaptionOutflow, "Outflow")                                                                               \
  X(ChartPeak, "peak {flow} cfs at {time} h")                                                                \
  X(HydrographTitle, "Flood routed through {title}")                                                         \
  X(HydrographSubtitle, "Subreaches {subreaches}, time step {step} h, {ordinates} ordinates")                \
  X(UsageBadValue, "--{option} \"{value}\" is not {expected}.")                                              \
  X(UsageExpectDuration, "a duration such as 90s, 15min or 1h")                                              \
  X(UsageExpectFlow, "a flow in cfs")                                                                        \
  X(UsageExpectSubreaches, "a whole number of subreaches from 1 to 1000")                                    \
  X(UsageRouteOptionAlone, "--{option} belongs to a routing; give --route INFLOW.csv too.")                  \
  X(UsageRouteInBatch, "--{option} routes the flood of one reach; leave it out of a batch.")                 \
  X(HelpOptionRoute, "Route this inflow hydrograph (CSV) through the reach just rated.")                     \
  X(HelpOptionTimeStep, "Time step of a routing: 90s, 15min or 1h; by default the inflow file's.")           \
  X(HelpOptionSubreaches, "Subreaches of a routing, 1 to 1000; by default the travel time over the step.")   \
  X(HelpOptionInitialOutflow, "Outflow (cfs) at the start of a routing; by default the first inflow.")       \
  X(HelpOptionRouted, "Write the routed hydrograph as CSV; \"-\" is standard output.")                       \
  X(NoteDownloaded,                                                                                          \
    "Downloaded \"{name}\" to your browser's downloads folder; where a file of that name is there already, " \
    "the browser adds a number, as in \"{repeat}\".")                                                        \
  X(NoteDownloadedNotToFolder,                                                                               \
    "Downloaded \"{name}\" to your browser's downloads folder, not to \"{folder}\": a page cannot choose "   \
    "the "                                                                                                   \
    "folder. Where a file of that name is there already, the browser adds a number, as in \"{repeat}\".")    \
  X(NoteCopiedRows, "Copied {count} rows to the clipboard.")                                                 \
  X(NoteCopiedOneRow, "Copied 1 row to the clipboard.")                                                      \
  X(NoteWrote, "Wrote \"{path}\".")                                                                          \
  X(NoteLeftoverOne,                                                                                         \
    "An unfinished copy of it, left by a write that was stopped, is hidden beside it as \"{pattern}\"; "     \
    "it can be deleted.")                                                                                    \
  X(NoteLeftovers,                                                                                           \
    "{count} unfinished copies of it, left by writes that were stopped, are hidden beside it as "            \
    "\"{pattern}\"; they can be deleted.")                                                                   \
  X(NoteLeftoverOneOf,                                                                                       \
    "An unfinished copy of \"{path}\", left by a write that was stopped, is hidden beside it as "            \
    "\"{pattern}\"; it can be deleted.")                                                                     \
  X(NoteLeftoversOf,                                                                                         \
    "{count} unfinished copies of \"{path}\", left by writes that were stopped, are hidden beside it "       \
    "as \"{pattern}\"; they can be deleted.")                                                                \
  X(PageLoading, "Loading the rating engine…")                                                               \
  X(PageCoreMissing,                                                                                         \
    "The rating engine's file, rating-core.js, could not be loaded. Keep the page's files together in one "  \
    "folder, as they came, and open index.html from there.")                                                 \
  X(PageStartFailure,                                                                                        \
    "The rating engine could not start. This page needs a browser that runs WebAssembly with exception "     \
    "handling: Chrome or Edge 95, Firefox 100, Safari 15.2 or later.")                                       \
  X(SaveNothingRated, "There is no rating to save yet; press Create Rating File first.")

// The same messages where the system of units is SI: each names the units
// its US customary pattern names, in the other system, and holds the same
// placeholders (checked when compiled, messages.h).
#define RATING_SI_MESSAGES(X)                                                                               \
  X(QuantityLengthFeet, "channel length in metres")                                                         \
  X(QuantitySlope, "slope = Channel Fall (m) / channel length")                                             \
  X(QuantityManningFactor, "Manning factor 1 / n")                                                          \
  X(SectionAboveEnd,                                                                                        \
    "{kind}: row {row}, the water surface at {elevation} m rises above the {end} end of the section, at "   \
    "{endElevation} m, before {field} {maxFlow} is reached; extend the section, or lower the maximum "      \
    "flow.")                                                                                                \
  X(PipeTooSmall,                                                                                           \
    "{kind}: the pipe carries at most {capacity} m3/s, near 0.94 of its diameter, which does not pass "     \
    "{field} {maxFlow}; lower the maximum flow, or raise {diameterField} {diameter}.")                      \
  X(PipeAboveCrown,                                                                                         \
    "{kind}: row {row}, the depth {depth} m rises above the crown of the pipe, {diameterField} "            \
    "{diameter}; take a smaller {incrementField}.")                                                         \
  X(SectionFileHeader, "Station (m),Elevation (m)")                                                         \
  X(SectionSummary, "{points}, stations {first} to {last} m")                                               \
  X(CaptionStationAxis, "Station (m)")                                                                      \
  X(LabelBottomWidth, "Bottom Width (m)")                                                                   \
  X(LabelFall, "Channel Fall (m)")                                                                          \
  X(LabelLength, "Channel Length (km)")                                                                     \
  X(LabelMaxFlow, "Maximum Flow (m3/s)")                                                                    \
  X(LabelInvert, "Invert Elevation (m)")                                                                    \
  X(LabelIncrement, "Incremental Depth (m)")                                                                \
  X(OptionHelpBottomWidth, "Bottom width (m).")                                                             \
  X(OptionHelpFall, "Channel fall over the reach (m).")                                                     \
  X(OptionHelpLength, "Channel length (km).")                                                               \
  X(OptionHelpMaxFlow, "Maximum flow (m3/s); the table ends at the first row above it.")                    \
  X(OptionHelpInvert, "Invert elevation (m).")                                                              \
  X(OptionHelpIncrement, "Depth increment (m); 0 is taken as 1.")                                           \
  X(LabelDiameter, "Diameter (m)")                                                                          \
  X(LabelLeftBank, "Left Bank Station (m)")                                                                 \
  X(LabelRightBank, "Right Bank Station (m)")                                                               \
  X(OptionHelpDiameter, "Pipe diameter (m), of --shape circle.")                                            \
  X(OptionHelpLeftBank, "Left bank station (m) of a surveyed section; blank: its first point.")             \
  X(OptionHelpRightBank, "Right bank station (m) of a surveyed section; blank: its last point.")            \
  X(CaptionElevationAxis, "Elevation (m)")                                                                  \
  X(CaptionFlowAxis, "Flow (m3/s)")                                                                         \
  X(CaptionStorageAxis, "Storage (1000 m3)")                                                                \
  X(CaptionOutflowAxis, "Outflow (m3/s)")                                                                   \
  X(CaptionTableCsvHeader,                                                                                  \
    "Depth (m),Elevation (m),Area (m2),Velocity (m/s),Flow (m3/s),Storage (1000 m3),Cascades")              \
  X(CaptionPairedDataHeader, "Storage (1000 m3),Outflow (m3/s)")                                            \
  X(CaptionReachDescription,                                                                                \
    "Bottom width {width} m, side slopes {slope}:1, fall {fall} m over {length} km, n = {n}")               \
  X(CaptionRectangleDescription, "Rectangle {width} m wide, fall {fall} m over {length} km, n = {n}")       \
  X(CaptionCircleDescription, "Pipe {diameter} m in diameter, fall {fall} m over {length} km, n = {n}")     \
  X(CaptionSurveyedDescription,                                                                             \
    "Surveyed section of {points}, banks at {left} and {right} m, fall {fall} m over {length} km, n = "     \
    "{nLeft}/{n}/{nRight}")                                                                                 \
  X(NoteIncrementZero, "An Incremental Depth (m) of 0 is taken as 1 m.")                                    \
  X(NoteBothZeros, "A Bank Slope run/rise of 0 is taken as 2, and an Incremental Depth (m) of 0 as 1 m.")   \
  X(RoutingPairNotAFlow, "pair {pair}: outflow {outflow} m3/s is not a flow")                               \
  X(RoutingStorageNotIncreasing,                                                                            \
    "pair {pair}: storage {storage} 1000 m3 is not above the {previous} 1000 m3 of the pair before; "       \
    "storage must increase")                                                                                \
  X(RoutingOutflowDecreasing,                                                                               \
    "pair {pair}: outflow {outflow} m3/s is below the {previous} m3/s of the pair before; outflow must "    \
    "not decrease")                                                                                         \
  X(RoutingNegativeInflow, "ordinate {ordinate}, at {time} h: inflow {flow} m3/s is negative")              \
  X(RoutingInitialOutflowOutside,                                                                           \
    "the initial outflow {flow} m3/s lies outside the storage-outflow table, which reaches {highest} m3/s") \
  X(RoutingAboveTable,                                                                                      \
    "ordinate {ordinate}, at {time} h, inflow {flow} m3/s, routes above the highest pair of the "           \
    "storage-outflow table, {highest} m3/s; raise the Maximum Flow of the rating")                          \
  X(HydrographNotAFlow, "\"{text}\" is not a flow in m3/s")                                                 \
  X(HydrographNegative, "the inflow {text} m3/s is negative")                                               \
  X(PairsCells, "{cells}; a storage-outflow row holds the storage (1000 m3), then the outflow (m3/s)")      \
  X(PairsStorageNotIncreasing,                                                                              \
    "storage {storage} 1000 m3 is not above the {previous} 1000 m3 of the row before; storage must "        \
    "increase")                                                                                             \
  X(PairsOutflowDecreasing,                                                                                 \
    "outflow {outflow} m3/s is below the {previous} m3/s of the row before; outflow must not decrease")     \
  X(CaptionInitialOutflow, "Initial outflow (m3/s)")                                                        \
  X(RoutingSummaryPeaks,                                                                                    \
    "Inflow peak {inflowPeak} m3/s at {inflowTime} h; outflow peak {outflowPeak} m3/s at {outflowTime} "    \
    "h.\nAttenuation {attenuation} %; lag {lag} h.")                                                        \
  X(RoutingSummarySteady, "Steady flow of {flow} m3/s: no peak, attenuation or lag to report.")             \
  X(RoutingSummaryVolumes,                                                                                  \
    "Volume in {volumeIn} 1000 m3, out {volumeOut} 1000 m3; storage {storageStart} 1000 m3 at the start "   \
    "and {storageEnd} 1000 m3 at the end; mass balance {balance} 1000 m3.")                                 \
  X(RoutingSummaryNotReceded,                                                                               \
    "The outflow has not receded: {outflow} m3/s at the last ordinate, {time} h, with {held} 1000 m3 "      \
    "more in the reach than at the start; route a longer inflow to see the whole flood.")                   \
  X(CaptionRoutedHeader, "Time (h),Inflow (m3/s),Outflow (m3/s)")                                           \
  X(ChartPeak, "peak {flow} m3/s at {time} h")                                                              \
  X(UsageExpectFlow, "a flow in m3/s")                                                                      \
  X(HelpOptionInitialOutflow, "Outflow (m3/s) at the start of a routing; by default the first inflow.")

// NOLINTEND(cppcoreguidelines-macro-usage)
