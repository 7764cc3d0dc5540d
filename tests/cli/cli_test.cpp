#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <clocale>
#include <sstream>
#include <system_error>

#include "app/main_window.h"
#include "cli/cli_run.h"
#include "engine/failure.h"
#include "engine/number_text.h"
#include "engine/rounding.h"
#include "output/safe_file.h"
#include "plot/rating_curves.h"
#include "run/rating_run.h"

using rating::InputField;

namespace {

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

struct CliResult {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

// Runs the command line in `folder`; `environment` holds "NAME=value" to set
// and "NAME" to unset.
CliResult RunCli(const QStringList& arguments, const QString& folder, const QString& locale = QString(),
                 const QStringList& environment = {}) {
  QProcess process;
  process.setWorkingDirectory(folder);
  QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
  if (!locale.isEmpty()) variables.insert(QStringLiteral("LC_ALL"), locale);
  for (const QString& setting : environment) {
    if (setting.contains(QLatin1Char('='))) {
      variables.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    } else {
      variables.remove(setting);
    }
  }
  process.setProcessEnvironment(variables);
  process.start(QStringLiteral(RATING_CLI_PATH), arguments);
  process.closeWriteChannel();
  if (!process.waitForFinished(60000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput(), process.readAllStandardError()};
}

// The option of a field as a user types it: "--width", and "--n" for the
// one-letter option, which takes two dashes as well as one.
QString OptionOf(const rating::FieldFacts& facts) {
  return QStringLiteral("--") +
         QString::fromLatin1(facts.option.data(), static_cast<qsizetype>(facts.option.size()));
}

}  // namespace

class CliTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString Path(const QString& name) const { return dir_.filePath(name); }

 private slots:
  void cliAndWindowWriteTheSameBytes_data() {
    QTest::addColumn<QStringList>("texts");  // in InputField order, without the file name
    QTest::newRow("defaults") << QStringList{
        "50", "2", "110", "5.5", "0.025", "3000", "0.0", "0.2", "South Street Channel"};
    QTest::newRow("triangular reach")
        << QStringList{"0", "1.5", "20", "2.25", "0.035", "500", "812.5", "0.25", "Mill Creek – reach 3"};
    QTest::newRow("substituted bank and increment")
        << QStringList{" 120", "0", "8", "0.75", "0.04", "40000", "-3", "0", "Tab\tin title"};
  }

  void cliAndWindowWriteTheSameBytes() {
    QFETCH(QStringList, texts);
    MainWindow form;
    QStringList arguments;
    for (int i = 0; i < texts.size(); ++i) {
      form.Field(static_cast<InputField>(i))->setText(texts.at(i));
      arguments << OptionOf(rating::kFields.at(static_cast<std::size_t>(i))) << texts.at(i);
    }
    form.Field(InputField::Filename)->setText(Path(QStringLiteral("window.RAT")));
    form.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    arguments << QStringLiteral("--output") << QStringLiteral("cli.RAT");

    const CliResult cli = RunCli(arguments, dir_.path());
    QCOMPARE(cli.exitCode, 0);
    const QByteArray window = ReadFile(Path(QStringLiteral("window.RAT")));
    QVERIFY(!window.isEmpty());
    QCOMPARE(ReadFile(Path(QStringLiteral("cli.RAT"))), window);

    auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    QStringList listed;
    for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
    QCOMPARE(QString::fromUtf8(cli.out), listed.join(QLatin1Char('\n')) + QLatin1Char('\n'));
  }

  void exitCodes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("defaults") << QStringList{} << 0 << QString();
    QTest::newRow("help") << QStringList{"--help"} << 0 << QString();
    QTest::newRow("version") << QStringList{"--version"} << 0 << QString();
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Unknown option 'bogus'.";
    QTest::newRow("missing value") << QStringList{"--width"} << 2 << "Missing value after '--width'.";
    QTest::newRow("stray argument") << QStringList{"50"} << 2 << "Unexpected argument \"50\".";
    QTest::newRow("plot with batch") << QStringList{"--batch", "a.csv", "--plot", "a.svg"} << 2 << "--plot";
    // Failures of the rating run: the kind and the field or file pass through;
    // the full texts are reviewed in the engine's message catalogue.
    QTest::newRow("bad field") << QStringList{"--length", "5,5x"} << 1
                               << "Type mismatch: Channel Length (mi)";
    QTest::newRow("zero fall") << QStringList{"--fall", "0"} << 1 << "Division by zero: row 1, travel time K";
    QTest::newRow("missing batch file")
        << QStringList{"--batch", "none.csv"} << 1 << "Cannot read batch file \"none.csv\" in \"";
    QTest::newRow("unwritable output")
        << QStringList{"--output", "/nope/x.RAT"} << 1 << "Cannot create rating file \"/nope/x.RAT\"";
    QTest::newRow("export on a full disk")
        << QStringList{"--csv", "/dev/full"} << 1
        << "Cannot write CSV table \"/dev/full\": No space left on device.";
    QTest::newRow("paired data into a missing folder")
        << QStringList{"--paired-data", "/nope/p.csv"} << 1 << "Cannot write paired data \"/nope/p.csv\"";
    QTest::newRow("csv with batch") << QStringList{"--batch", "a.csv", "--csv", "t.csv"} << 2
                                    << "--csv names one file; in a batch, give a \"csv\" column.";
    QTest::newRow("two outputs on standard output")
        << QStringList{"--output", "-", "--paired-data", "/dev/stdout"} << 2
        << "--output and --paired-data both name standard output; only one output can go there.";
  }

  // What one run does at its edges: outputs that are one file, a failure
  // among several outputs, standard output, and a toolkit kept away from the
  // command line. `setup` runs in the folder first.
  void edges_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");       // a part of standard error, or "" for none at all
    QTest::addColumn<QString>("out");       // the start of standard output
    QTest::addColumn<QStringList>("kept");  // files that must hold "previous" afterwards
    QTest::newRow("rating file named twice")
        << "echo previous > x.RAT" << QStringList{"--output", "x.RAT", "--csv", "$PWD/x.RAT"} << QStringList{}
        << 2 << "--output and --csv both name \"$PWD/x.RAT\""
        << "" << QStringList{"x.RAT"};
    QTest::newRow("export through a link to another")
        << "echo previous > real.csv; ln -s real.csv link.csv"
        << QStringList{"--csv", "real.csv", "--paired-data", "link.csv"} << QStringList{} << 2
        << "--csv and --paired-data both name \"$PWD/real.csv\""
        << "" << QStringList{"real.csv"};
    QTest::newRow("standard output by a link")
        << "ln -s /dev/stdout so" << QStringList{"--csv", "so", "--output", "-"} << QStringList{} << 2
        << "both name standard output"
        << "" << QStringList{};
    QTest::newRow("one output fails, none is replaced")
        << "mkdir d; echo previous > a.RAT; echo previous > a.svg"
        << QStringList{"--csv", "d", "--output", "a.RAT", "--plot", "a.svg", "--paired-data", "a.csv"}
        << QStringList{} << 1 << "Cannot write CSV table \"d\""
        << "" << QStringList{"a.RAT", "a.svg"};
    QTest::newRow("batch summary gives way to standard output")
        << "printf 'output,paired-data\\nb.RAT,-\\n' > reaches.csv" << QStringList{"--batch", "reaches.csv"}
        << QStringList{} << 0 << "1 rated, 0 failed"
        << "Storage (acre-ft),Outflow (cfs)" << QStringList{};
    QTest::newRow("toolkit options are the program's own")
        << "" << QStringList{"--title", "Mill Creek", "--output", "t.RAT", "--plot", "t.svg"}
        << QStringList{"QT_QPA_PLATFORM=xcb", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"} << 0 << ""
        << "Elev     Area" << QStringList{};
    QTest::newRow("help names the program") << "" << QStringList{"--help"} << QStringList{} << 0 << ""
                                            << "Usage: trapezoid-rating-cli [options]" << QStringList{};
  }

  void edges() {
    QFETCH(QString, setup);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QString, out);
    QFETCH(QStringList, kept);
    QTemporaryDir folder;
    const QString here = QDir(folder.path()).canonicalPath();
    if (!setup.isEmpty()) {
      QProcess shell;
      shell.setWorkingDirectory(folder.path());
      shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), setup});
      QVERIFY(shell.waitForFinished());
      QCOMPARE(shell.exitCode(), 0);
    }
    for (QString& argument : arguments) argument.replace(QStringLiteral("$PWD"), here);
    const CliResult cli = RunCli(arguments, folder.path(), QString(), environment);
    QCOMPARE(cli.exitCode, exitCode);
    if (err.isEmpty()) {
      QCOMPARE(cli.err, QByteArray());
    } else {
      QVERIFY2(QString::fromUtf8(cli.err).contains(QString(err).replace(QStringLiteral("$PWD"), here)),
               cli.err.constData());
    }
    QVERIFY2(out.isEmpty() || QString::fromUtf8(cli.out).startsWith(out), cli.out.constData());
    if (exitCode != 0) QVERIFY(cli.out.isEmpty());
    for (const QString& name : kept) QCOMPARE(ReadFile(folder.filePath(name)), QByteArray("previous\n"));
    QCOMPARE(QDir(folder.path()).entryList({QStringLiteral(".*.partial")}, QDir::Files | QDir::Hidden),
             QStringList());
    if (arguments.contains(QStringLiteral("Mill Creek"))) {
      QVERIFY(ReadFile(folder.filePath(QStringLiteral("t.RAT"))).startsWith("Mill Creek\r\n"));
    }
  }

  // Plots never mislead: tick labels that all differ, and nothing cut at the
  // page's edges, whatever the reach and however long its title.
  void plotsFitTheirLabels_data() {
    QTest::addColumn<QStringList>("edits");  // field, text, field, text, ...
    QTest::newRow("fine elevation steps")
        << QStringList{"invert", "5280.37", "increment", "0.001", "max-flow", "0.3"};
    QTest::newRow("wide flow labels") << QStringList{"width", "80", "length", "55", "fall", "1100"};
    QTest::newRow("long title") << QStringList{
        "title", QString(40, QLatin1Char('W')) + QStringLiteral(" Creek ") + QString(60, QLatin1Char('M'))};
  }

  void plotsFitTheirLabels() {
    QFETCH(QStringList, edits);
    rating::FieldTexts texts = rating::DefaultFieldTexts(".");
    for (qsizetype i = 0; i + 1 < edits.size(); i += 2) {
      for (const rating::FieldFacts& facts : rating::kFields) {
        if (edits.at(i).toStdString() == facts.option)
          rating::TextOf(texts, facts.field) = edits.at(i + 1).toStdString();
      }
    }
    const rating::RatingOutcome outcome = rating::RateFields(texts, ".");
    QVERIFY(outcome.result.has_value());
    const rating::RatingCurves curves =
        rating::CurvesOf(*outcome.result, rating::TextOf(texts, InputField::Title), ".");
    for (const std::vector<double>& values : {curves.elevation, curves.flow, curves.storage}) {
      QStringList labels;
      for (const QString& label : rating::TickLabels(values)) {
        if (!label.isEmpty()) labels << label;
      }
      QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
    }
    QImage page(rating::kRatingCurvesPage, QImage::Format_RGB32);
    QPainter painter(&page);
    rating::DrawRatingCurves(painter, QRectF(QPointF(0, 0), rating::kRatingCurvesPage), curves);
    painter.end();
    for (const int x : {0, 1, 2, page.width() - 3, page.width() - 2, page.width() - 1}) {
      for (int y = 0; y < page.height(); ++y) {
        QVERIFY2(page.pixelColor(x, y).lightness() > 200,
                 qPrintable(QStringLiteral("ink at %1, %2").arg(x).arg(y)));
      }
    }
  }

  void exportsMatchTheGoldenFiles_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("golden");
    QTest::newRow("csv to a file") << "--csv"
                                   << "table.csv"
                                   << "default.csv";
    QTest::newRow("csv to standard output") << "--csv"
                                            << "-"
                                            << "default.csv";
    QTest::newRow("paired data to a file") << "--paired-data"
                                           << "pairs.csv"
                                           << "default-paired.csv";
    QTest::newRow("paired data to standard output") << "--paired-data"
                                                    << "-"
                                                    << "default-paired.csv";
  }

  void exportsMatchTheGoldenFiles() {
    QFETCH(QString, option);
    QFETCH(QString, target);
    QFETCH(QString, golden);
    QTemporaryDir folder;
    const CliResult cli = RunCli({option, target}, folder.path());
    QCOMPARE(cli.exitCode, 0);
    const QByteArray expected = ReadFile(QStringLiteral(RATING_GOLDEN_DIR "/") + golden);
    QVERIFY(!expected.isEmpty());
    const bool onStandardOutput = target == QLatin1String("-");
    QCOMPARE(onStandardOutput ? cli.out : ReadFile(folder.filePath(target)), expected);
    // The listing gives way to a file on standard output.
    QVERIFY((onStandardOutput ? cli.err : cli.out).contains("Elev     Area     Velocity"));
    QCOMPARE(ReadFile(folder.filePath(QStringLiteral("MyRating.RAT"))),
             ReadFile(QStringLiteral(RATING_GOLDEN_DIR "/default.RAT")));
    QCOMPARE(QDir(folder.path()).entryList({QStringLiteral(".*.partial")}, QDir::Files | QDir::Hidden),
             QStringList());
  }

  // The exports of 200 random reaches, written by one batch, agree with the
  // rating files written with them: the paired data are the rating file's
  // storage and flow with the left-out rows removed, strictly increasing; the
  // CSV table has every row, its flow and storage as the listing rounds them.
  void exportsAgreeWithTheRatingFileForRandomReaches() {
    QTemporaryDir batch;
    QRandomGenerator random(20261208);
    const auto uniform = [&random](double low, double high) {
      return QString::number(low + random.generateDouble() * (high - low), 'g', 4);
    };
    QString csv =
        QStringLiteral("output,csv,paired-data,width,bank,fall,length,n,max-flow,invert,increment\n");
    constexpr int kReaches = 200;
    for (int i = 0; i < kReaches; ++i) {
      const QString n = QString::number(i);
      // Every fourth reach has fine depth steps, where rounding makes
      // successive rows equal.
      const QString increment = i % 4 == 0 ? uniform(0.002, 0.02) : uniform(0.05, 1);
      csv += QStringLiteral("r%1.RAT,r%1.csv,r%1.pairs.csv,").arg(n) + uniform(0, 200) + ',' + uniform(0, 4) +
             ',' + uniform(1, 300) + ',' + uniform(0.5, 20) + ',' + uniform(0.012, 0.08) + ',' +
             uniform(50, 20000) + ',' + uniform(0, 900) + ',' + increment + '\n';
    }
    WriteFile(batch.filePath(QStringLiteral("reaches.csv")), csv.toUtf8());
    const CliResult cli = RunCli({QStringLiteral("--batch"), QStringLiteral("reaches.csv")}, batch.path());
    QVERIFY2(cli.exitCode == 0 || cli.exitCode == 1, cli.err.constData());

    const QStringList notes = QString::fromUtf8(cli.err).split(QLatin1Char('\n'));
    int compared = 0;
    int leftOutTotal = 0;
    for (int i = 0; i < kReaches; ++i) {
      const QString n = QString::number(i);
      const QByteArray rating = ReadFile(batch.filePath(QStringLiteral("r%1.RAT").arg(n)));
      if (rating.isEmpty()) continue;  // a reach whose rating failed writes nothing
      QList<QByteArray> fileLines = rating.split('\n');
      fileLines = fileLines.mid(2, fileLines.size() - 3);  // the table lines
      QStringList fileStorage;
      QStringList fileFlow;
      for (const QByteArray& line : fileLines) {
        const QList<QByteArray> cells = line.trimmed().split('\t');
        fileFlow << QString::fromLatin1(cells.at(1).trimmed());
        fileStorage << QString::fromLatin1(cells.at(2).trimmed());
      }

      const QList<QByteArray> pairs =
          ReadFile(batch.filePath(QStringLiteral("r%1.pairs.csv").arg(n))).split('\n').mid(1);
      QStringList keptStorage;
      QStringList keptFlow;
      for (const QByteArray& line : pairs) {
        if (line.isEmpty()) continue;
        keptStorage << QString::fromLatin1(line.trimmed().split(',').at(0));
        keptFlow << QString::fromLatin1(line.trimmed().split(',').at(1));
      }
      // The pairs are rows of the file, in order, strictly increasing, from
      // the dry channel to the top of the table; of equal rows the higher is kept.
      QList<int> leftOut;
      for (auto row = fileFlow.size() - 1, k = keptFlow.size() - 1; row >= 0; --row) {
        if (k >= 0 && fileStorage.at(row) == keptStorage.at(k) && fileFlow.at(row) == keptFlow.at(k)) {
          --k;
        } else {
          leftOut.prepend(static_cast<int>(row));
        }
      }
      QCOMPARE(leftOut.size(), fileFlow.size() - keptFlow.size());
      QCOMPARE(keptStorage.first(), QStringLiteral("0"));
      if (fileStorage.last().toDouble() > 0) {
        QCOMPARE(keptStorage.last(), fileStorage.last());
        QCOMPARE(keptFlow.last(), fileFlow.last());
      }
      for (int k = 1; k < keptFlow.size(); ++k) {
        QVERIFY2(keptStorage.at(k).toDouble() > keptStorage.at(k - 1).toDouble(), qPrintable(n));
        QVERIFY2(keptFlow.at(k).toDouble() > keptFlow.at(k - 1).toDouble(), qPrintable(n));
      }
      // The batch said so in one line: the count, the first and the last row.
      const QString prefix = QStringLiteral("reaches.csv:%1: ").arg(i + 2);
      QStringList said;
      for (const QString& note : notes) {
        if (note.startsWith(prefix) && note.contains(QStringLiteral("left out of the paired data")))
          said << note;
      }
      if (leftOut.isEmpty()) {
        QVERIFY(said.isEmpty());
      } else if (leftOut.size() == 1) {
        QCOMPARE(said,
                 QStringList{prefix + QStringLiteral("row %1 left out of the paired data \"r%2.pairs.csv\": "
                                                     "storage and outflow must both increase.")
                                          .arg(leftOut.first())
                                          .arg(n)});
      } else {
        QCOMPARE(said, QStringList{prefix + QStringLiteral("%1 rows, %2 to %3, left out of the paired data "
                                                           "\"r%4.pairs.csv\": storage and outflow must both "
                                                           "increase.")
                                                .arg(leftOut.size())
                                                .arg(leftOut.first())
                                                .arg(leftOut.last())
                                                .arg(n)});
      }
      leftOutTotal += static_cast<int>(leftOut.size());

      const QList<QByteArray> table = ReadFile(batch.filePath(QStringLiteral("r%1.csv").arg(n))).split('\n');
      QCOMPARE(table.size(), fileLines.size() + 2);  // the header and an empty last line
      for (int row = 0; row < fileLines.size(); ++row) {
        const QList<QByteArray> cells = table.at(row + 1).trimmed().split(',');
        QCOMPARE(cells.size(), 7);
        const auto listed = [](const QString& fileValue) {
          return QString::fromStdString(
              rating::PlainNumberText(rating::RoundToThreeFigures(fileValue.toFloat()), "."));
        };
        QCOMPARE(QString::fromLatin1(cells.at(4)), listed(fileFlow.at(row)));
        QCOMPARE(QString::fromLatin1(cells.at(5)), listed(fileStorage.at(row)));
      }
      ++compared;
    }
    QVERIFY2(compared > 150, qPrintable(QString::number(compared)));
    QVERIFY2(leftOutTotal > 0, "no reach had rows left out");
    qInfo("%d reaches compared, %d rows left out of their paired data", compared, leftOutTotal);
  }

  void exitCodes() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const CliResult cli = RunCli(arguments, dir_.path());
    QCOMPARE(cli.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(cli.err).contains(message), cli.err.constData());
    if (exitCode != 0) QVERIFY(cli.out.isEmpty());
  }

  void helpNamesEveryOption() {
    const QString help = QString::fromUtf8(RunCli({QStringLiteral("--help")}, dir_.path()).out);
    // One-letter options are listed with one dash ("-n") and accept two.
    for (const rating::FieldFacts& facts : rating::kFields) {
      const QString listed = facts.option.size() == 1 ? OptionOf(facts).mid(1) : OptionOf(facts);
      QVERIFY2(help.contains(listed + QStringLiteral(" <")), qPrintable(listed));
    }
    QVERIFY(help.contains(QLatin1String("--batch")));
    QVERIFY(help.contains(QLatin1String("--plot")));
  }

  void batchGoesOnPastABadRowAndNamesItsLine() {
    QTemporaryDir batch;
    WriteFile(batch.filePath(QStringLiteral("reaches.csv")),
              "Title,Width,Fall,Output\n"
              "\"Smith Creek, upper \"\"A\"\"\",40,100,s1.RAT\n"
              "\"Two\n"
              "lines\",45,90,s2.RAT\n"
              "\n"
              "Bad reach,abc,100,s3.RAT\n"
              "Short row,30\n"
              "Last,30,50,s5.RAT\n");
    const CliResult cli = RunCli({QStringLiteral("--batch"), QStringLiteral("reaches.csv")}, batch.path());
    QCOMPARE(cli.exitCode, 1);
    QCOMPARE(cli.out, QByteArray("2 rated, 3 failed\n"));
    QVERIFY2(cli.err.contains(
                 "reaches.csv:3: Invalid text: Title Line contains a line break; it must be one line."),
             cli.err.constData());
    QVERIFY2(cli.err.contains("reaches.csv:6: Type mismatch: Bottom Width (ft) \"abc\" is not a number."),
             cli.err.constData());
    QVERIFY2(cli.err.contains("reaches.csv:7: "), cli.err.constData());
    QVERIFY(ReadFile(batch.filePath(QStringLiteral("s1.RAT"))).startsWith("Smith Creek, upper \"A\"\r\n"));
    QVERIFY(ReadFile(batch.filePath(QStringLiteral("s1.RAT"))).contains("BW=40 SideS=2 Fall=100 ChL=5.5"));
    QVERIFY(!QFile::exists(batch.filePath(QStringLiteral("s2.RAT"))));
    QVERIFY(!QFile::exists(batch.filePath(QStringLiteral("s3.RAT"))));
    QVERIFY(QFile::exists(batch.filePath(QStringLiteral("s5.RAT"))));
  }

  void batchRejectsAnUnknownColumn() {
    QTemporaryDir batch;
    WriteFile(batch.filePath(QStringLiteral("reaches.csv")), "width,depth\n50,2\n");
    const CliResult cli = RunCli({QStringLiteral("--batch"), QStringLiteral("reaches.csv")}, batch.path());
    QCOMPARE(cli.exitCode, 1);
    QVERIFY2(cli.err.contains("line 1: unknown column \"depth\""), cli.err.constData());
  }

  void largeBatchReportsProgress() {
    QTemporaryDir batch;
    QByteArray csv = "output,max-flow\n";
    for (int i = 0; i < 12; ++i) csv += "r" + QByteArray::number(i) + ".RAT,500\n";
    WriteFile(batch.filePath(QStringLiteral("reaches.csv")), csv);
    const CliResult cli = RunCli({QStringLiteral("--batch"), QStringLiteral("reaches.csv")}, batch.path());
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(cli.out, QByteArray("12 rated, 0 failed\n"));
    QVERIFY2(cli.err.contains("rated 12 of 12 reaches"), cli.err.constData());
  }

  // The plot is XML that parsers read whatever the title holds.
  void plotIsAnSvgThatNamesItsAxes() {
    const QString title = QStringLiteral("Smith & Jones <Creek> \"upper\"");
    const CliResult cli =
        RunCli({QStringLiteral("--plot"), QStringLiteral("rating.svg"), QStringLiteral("--output"),
                QStringLiteral("plot.RAT"), QStringLiteral("--title"), title},
               dir_.path());
    QCOMPARE(cli.exitCode, 0);
    QXmlStreamReader svg(ReadFile(Path(QStringLiteral("rating.svg"))));
    QStringList texts;
    bool sawSvgRoot = false;
    while (!svg.atEnd()) {
      if (svg.readNext() != QXmlStreamReader::StartElement) continue;
      if (svg.name() == QLatin1String("svg")) sawSvgRoot = true;
      if (svg.name() == QLatin1String("text") || svg.name() == QLatin1String("title")) {
        texts << svg.readElementText().trimmed();
      }
    }
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    QVERIFY(sawSvgRoot);
    for (const char* expected :
         {"Flow (cfs)", "Storage (acre-ft)", "Elevation (ft)", "Outflow (cfs)",
          "Smith & Jones <Creek> \"upper\"",
          "Bottom width 50 ft, side slopes 2:1, fall 110 ft over 5.5 mi, n = 0.025", "0", "1000", "3000"}) {
      QVERIFY2(texts.contains(QLatin1String(expected)), expected);
    }
  }

  void batchPlotColumnDrawsOnePlotPerReach() {
    QTemporaryDir batch;
    WriteFile(batch.filePath(QStringLiteral("reaches.csv")),
              "output,plot,width\na.RAT,a.svg,40\nb.RAT,,50\nc.RAT,/nope/c.svg,60\n");
    const CliResult cli = RunCli({QStringLiteral("--batch"), QStringLiteral("reaches.csv")}, batch.path());
    QCOMPARE(cli.exitCode, 1);
    QVERIFY(QFile::exists(batch.filePath(QStringLiteral("a.svg"))));
    QVERIFY2(cli.err.contains("reaches.csv:4: Cannot write plot \"/nope/c.svg\""), cli.err.constData());
  }

  // A batch killed at random moments leaves every rating file either absent
  // or complete, and nothing else but hidden leftovers.
  void aKilledBatchLeavesCompleteFilesOrNone() {
    QTemporaryDir reference;
    QByteArray csv = "title,width,output\n";
    for (int i = 0; i < 300; ++i) {
      csv += "Reach " + QByteArray::number(i) + "," + QByteArray::number(40 + i % 20) + ",r" +
             QByteArray::number(i) + ".RAT\n";
    }
    WriteFile(reference.filePath(QStringLiteral("reaches.csv")), csv);
    QCOMPARE(RunCli({QStringLiteral("--batch"), QStringLiteral("reaches.csv")}, reference.path()).exitCode,
             0);

    for (const int delay : {5, 20, 40, 80, 160}) {
      QTemporaryDir killed;
      WriteFile(killed.filePath(QStringLiteral("reaches.csv")), csv);
      QProcess process;
      process.setWorkingDirectory(killed.path());
      process.start(QStringLiteral(RATING_CLI_PATH),
                    {QStringLiteral("--batch"), QStringLiteral("reaches.csv")});
      QVERIFY(process.waitForStarted());
      QTest::qWait(delay);
      process.kill();
      process.waitForFinished();
      const QStringList names = QDir(killed.path()).entryList(QDir::Files | QDir::Hidden);
      for (const QString& name : names) {
        if (name == QLatin1String("reaches.csv")) continue;
        if (name.startsWith(QLatin1Char('.'))) {
          QVERIFY2(name.endsWith(QLatin1String(".partial")), qPrintable(name));
        } else {
          QCOMPARE(ReadFile(killed.filePath(name)), ReadFile(reference.filePath(name)));
        }
      }
    }
  }

  void ratingFileOnStandardOutput_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("dash") << "-";
    QTest::newRow("/dev/stdout") << "/dev/stdout";
  }

  void ratingFileOnStandardOutput() {
    QFETCH(QString, name);
    const CliResult cli = RunCli({QStringLiteral("--output"), name}, dir_.path());
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(cli.out, ReadFile(QStringLiteral(RATING_GOLDEN_DIR "/default.RAT")));
    QVERIFY2(cli.err.contains("Elev     Area     Velocity Flow     Storage  Cascades\n"),
             cli.err.constData());
    QVERIFY(cli.err.contains("0.2      10.1     1.24     12.5     6.72     440      \n"));
  }

  void plotOnAFullDiskIsAFailure() {
    const CliResult cli = RunCli({QStringLiteral("--plot"), QStringLiteral("/dev/full"),
                                  QStringLiteral("--output"), QStringLiteral("full.RAT")},
                                 dir_.path());
    QCOMPARE(cli.exitCode, 1);
    QVERIFY2(cli.err.contains("Cannot write plot \"/dev/full\": No space left on device."),
             cli.err.constData());
  }

  void aPlotThatCannotBeWrittenKeepsThePreviousPlot() {
    const QString path = Path(QStringLiteral("kept.svg"));
    const QString rating = Path(QStringLiteral("kept.RAT"));
    WriteFile(path, "<svg>previous</svg>");
    WriteFile(rating, "previous rating\r\n");
    // The rating file is finished first; the plot's bytes fail to reach its
    // temporary file, as on a full disk.
    static int written = 0;
    written = 0;
    rating::SetWriteStepHookForTesting([](rating::WriteStep step) {
      if (step == rating::WriteStep::DataWritten && ++written == 2) {
        throw std::system_error(ENOSPC, std::generic_category());
      }
    });
    std::ostringstream out;
    std::ostringstream err;
    const int status = rating::cli::RunCommandLine(
        {"trapezoid-rating-cli", "--plot", path.toStdString(), "--output", rating.toStdString()}, ".", out,
        err);
    rating::SetWriteStepHookForTesting(nullptr);
    QCOMPARE(status, rating::cli::kExitFailure);
    QVERIFY2(
        err.str().starts_with("Cannot write plot \"" + path.toStdString() + "\": No space left on device."),
        err.str().c_str());
    QVERIFY(out.str().empty());
    QCOMPARE(ReadFile(path), QByteArray("<svg>previous</svg>"));
    QCOMPARE(ReadFile(rating), QByteArray("previous rating\r\n"));
    QCOMPARE(QDir(dir_.path()).entryList({QStringLiteral("*.partial")}, QDir::Hidden | QDir::Files),
             QStringList());
  }

  void batchesThatWouldWriteAFileTwiceAreRefused_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("message");  // after the resolved folder
    QTest::newRow("no output column")
        << QByteArray("title\nA\nB\nC\n") << "/MyRating.RAT\" is the rating file of lines 2, 3 and 4.";
    QTest::newRow("two rows name one file") << QByteArray("output\na.RAT\nb.RAT\nsub/../a.RAT\n")
                                            << "/a.RAT\" is the rating file of lines 2 and 4.";
    QTest::newRow("a row names the batch file")
        << QByteArray("output\nreaches.csv\n")
        << "/reaches.csv\" is the batch file and the rating file of line 2.";
    QTest::newRow("a plot and a rating file share a name")
        << QByteArray("output,plot\na.RAT,b.svg\nb.svg,\n")
        << "/b.svg\" is the rating file of line 3 and the plot of line 2.";
    QTest::newRow("a CSV table and paired data share a name")
        << QByteArray("output,csv,paired-data\na.RAT,t.csv,p.csv\nb.RAT,c.csv,t.csv\n")
        << "/t.csv\" is the CSV table of line 2 and the paired data of line 3.";
  }

  void batchesThatWouldWriteAFileTwiceAreRefused() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, message);
    QTemporaryDir batch;
    QVERIFY(QDir(batch.path()).mkdir(QStringLiteral("sub")));
    WriteFile(batch.filePath(QStringLiteral("reaches.csv")), csv);
    const CliResult cli = RunCli({QStringLiteral("--batch"), QStringLiteral("reaches.csv")}, batch.path());
    QCOMPARE(cli.exitCode, 2);
    const QString canonical = QDir(batch.path()).canonicalPath();
    QVERIFY2(QString::fromUtf8(cli.err).contains("Batch refused \"reaches.csv\": \"" + canonical + message),
             cli.err.constData());
    QVERIFY(cli.out.isEmpty());
    QCOMPARE(QDir(batch.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"reaches.csv"});
    QCOMPARE(ReadFile(batch.filePath(QStringLiteral("reaches.csv"))), csv);
  }

  void batchTablesAsSpreadsheetsAndUsersMakeThem_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFoutput,width\na.RAT,40\n") << 0 << QString();
    QTest::newRow("unclosed quote") << QByteArray("output,title\na.RAT,fine\nb.RAT,\"never closed\n") << 1
                                    << "line 3: a quoted cell that starts on this line is never closed.";
    QTest::newRow("stray quote") << QByteArray("output,title\na.RAT,5\" high\n") << 1
                                 << "line 2: a quote inside a cell that is not quoted";
    QTest::newRow("short row")
        << QByteArray("output,title\na.RAT,fine\nb.RAT\n") << 1
        << "reaches.csv:3: Malformed row: the row has 1 cell and the header names 2 columns.";
  }

  void batchTablesAsSpreadsheetsAndUsersMakeThem() {
    QFETCH(QByteArray, csv);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir batch;
    WriteFile(batch.filePath(QStringLiteral("reaches.csv")), csv);
    const CliResult cli = RunCli({QStringLiteral("--batch"), QStringLiteral("reaches.csv")}, batch.path());
    QCOMPARE(cli.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(cli.err).contains(message), cli.err.constData());
    if (exitCode == 0) QVERIFY(ReadFile(batch.filePath(QStringLiteral("a.RAT"))).contains("BW=40"));
  }

  void aBatchPathThatIsAFolderSaysSo() {
    const CliResult cli = RunCli({QStringLiteral("--batch"), QStringLiteral("/tmp")}, dir_.path());
    QCOMPARE(cli.exitCode, 1);
    QVERIFY2(cli.err.contains("Cannot read batch file \"/tmp\": Is a directory."), cli.err.constData());
  }

  void helpAllPrintsHelpAndWritesNothing() {
    QTemporaryDir empty;
    const CliResult cli = RunCli({QStringLiteral("--help-all")}, empty.path());
    QCOMPARE(cli.exitCode, 0);
    QVERIFY(cli.out.contains("--batch"));
    QCOMPARE(QDir(empty.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
  }

  // Under a real comma locale the defaults are numbers, and a fall typed
  // with a comma gives the cascades that the same fall gives with a point.
  void commaLocaleDefaultsAndCascades() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
      if (qEnvironmentVariableIsSet("RATING_REQUIRE_LOCALES")) {
        QFAIL("de_DE.UTF-8 is missing; generate it with: localedef -i de_DE -f UTF-8 de_DE.UTF-8");
      }
      QSKIP("de_DE.UTF-8 is not generated on this machine");
    }
    std::setlocale(LC_ALL, "");
    const QString german = QStringLiteral("de_DE.UTF-8");
    const CliResult defaults =
        RunCli({QStringLiteral("--output"), QStringLiteral("de-defaults.RAT")}, dir_.path(), german);
    QCOMPARE(defaults.exitCode, 0);
    QVERIFY2(defaults.out.contains("0,2      10,1     1,24     12,5     6,72     440"),
             defaults.err.constData());
    QVERIFY(QString::fromUtf8(RunCli({QStringLiteral("--help")}, dir_.path(), german).out)
                .contains(QStringLiteral("5,5")));

    const CliResult comma = RunCli({QStringLiteral("--fall"), QStringLiteral("0,5"),
                                    QStringLiteral("--output"), QStringLiteral("comma.RAT")},
                                   dir_.path(), german);
    const CliResult point = RunCli({QStringLiteral("--fall"), QStringLiteral("0.5"),
                                    QStringLiteral("--output"), QStringLiteral("point.RAT")},
                                   dir_.path(), QStringLiteral("C"));
    QCOMPARE(comma.exitCode, 0);
    QCOMPARE(point.exitCode, 0);
    QByteArray pointAsComma = ReadFile(Path(QStringLiteral("point.RAT")));
    pointAsComma.replace('.', ',');
    QCOMPARE(ReadFile(Path(QStringLiteral("comma.RAT"))), pointAsComma);
    QVERIFY2(pointAsComma.contains("\t 27,8 \r\n"), "row 1 counts the fall's fraction");
  }
};

QTEST_MAIN(CliTest)
#include "cli_test.moc"
