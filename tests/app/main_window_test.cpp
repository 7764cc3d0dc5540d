#include "app/main_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>
#include <stdexcept>
#include <variant>
#include <vector>

#include "app/routing_window.h"
#include "app/section_window.h"
#include "app/start_up.h"
#include "engine/failure.h"
#include "layout/form_layout.h"
#include "platform/platform.h"
#include "plot/rating_curves.h"
#include "run/rating_run.h"
#include "run/working_folder.h"
#include "tests/support/flood_examples.h"
#include "tests/support/section_examples.h"
#include "tests/support/si_examples.h"

using rating::InputField;

namespace {

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Golden() { return ReadFile(QStringLiteral(RATING_GOLDEN_DIR "/default.RAT")); }

// The listing as the list shows it: the headings above, then the rows.
QStringList ListLines(const MainWindow& form) {
  auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
  const QString headings = list->findChild<QLabel*>(QStringLiteral("listHeadings"))->text();
  QStringList lines = headings.isEmpty() ? QStringList() : headings.split(QLatin1Char('\n'));
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

// The list's item of line `line` of the listing, under its two headings.
QListWidgetItem* LineItem(QListWidget* list, int line) { return list->item(line - 2); }

// Does `action` and returns the text of the message box it shows, or an
// empty string. A timer closes any message box, so a test never waits on a
// modal dialog.
QString ShownWhile(const std::function<void()>& action, QString* title = nullptr, QString* name = nullptr) {
  QString shown;
  QTimer closer;
  closer.setInterval(10);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      if (title != nullptr) *title = box->windowTitle();
      if (name != nullptr) *name = box->objectName();
      box->done(QMessageBox::Ok);
    }
  });
  closer.start();
  action();
  closer.stop();
  return shown;
}

// Presses "Create Rating File" and returns the text of the error message it
// shows, or an empty string.
QString Press(MainWindow& form, QString* title = nullptr) {
  return ShownWhile(
      [&form] {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
      },
      title);
}

// The failure the rating run itself reports for the window's texts, run
// without the window.
rating::RatingFailure RunFailure(const MainWindow& form) {
  try {
    rating::CreateRatingFile(form.FieldTexts(), rating::platform::UserDecimalSeparator());
  } catch (const rating::RatingFailure& failure) {
    return failure;
  }
  throw std::logic_error("the rating run succeeded");
}

// Where RATING_SCREENSHOT_DIR names a folder, `window` as the README shows
// it, saved there as `name`: run the test with it to take the screenshots
// anew.
void KeepScreenshot(QWidget& window, const QString& name) {
  const QByteArray folder = qgetenv("RATING_SCREENSHOT_DIR");
  if (!folder.isEmpty()) QVERIFY(window.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(name)));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // A window whose rating file goes to the test's own folder.
  void Aim(MainWindow& form, const QString& name) { form.Field(InputField::Filename)->setText(Path(name)); }

 private slots:
  void defaultRunFillsTheListAndWritesTheFile() {
    MainWindow form;
    Aim(form, QStringLiteral("default.RAT"));
    QCOMPARE(Press(form), QString());
    const QStringList lines = ListLines(form);
    QCOMPARE(lines.size(), 29);
    QCOMPARE(lines.at(0), QStringLiteral("Elev     Area     Velocity Flow     Storage  Cascades"));
    QCOMPARE(lines.at(3), QStringLiteral("0.2      10.1     1.24     12.5     6.72     440      "));
    QCOMPARE(ReadFile(Path(QStringLiteral("default.RAT"))), Golden());
    // The headings stay in view above the rows, and are no rows to select.
    auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(list->count(), 27);
    list->scrollToBottom();
    const auto* headings = list->findChild<QLabel*>(QStringLiteral("listHeadings"));
    QCOMPARE(headings->geometry().top(), list->frameWidth());
    QVERIFY(list->viewport()->geometry().top() >= headings->geometry().bottom());
    // The status line says where the file went, whole.
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("statusLine"))->text(),
             QStringLiteral("Wrote \"%1\".").arg(Path(QStringLiteral("default.RAT"))));
  }

  void pressingTwiceReplacesBoth() {
    MainWindow form;
    Aim(form, QStringLiteral("twice.RAT"));
    Press(form);
    Press(form);
    QCOMPARE(ListLines(form).size(), 29);
    QCOMPARE(ReadFile(Path(QStringLiteral("twice.RAT"))), Golden());
  }

  void aChangeBetweenPressesChangesOnlyTheSecondRun() {
    MainWindow form;
    Aim(form, QStringLiteral("first.RAT"));
    Press(form);
    form.Field(InputField::BottomWidth)->setText(QStringLiteral("60"));
    Aim(form, QStringLiteral("second.RAT"));
    Press(form);
    QCOMPARE(ReadFile(Path(QStringLiteral("first.RAT"))), Golden());
    const QByteArray second = ReadFile(Path(QStringLiteral("second.RAT")));
    QVERIFY(second.contains("BW=60 SideS=2"));
    QVERIFY(second != Golden());
  }

  void anIncrementOfZeroComputesWithOneFootAndSaysSo() {
    MainWindow form;
    form.Field(InputField::Increment)->setText(QStringLiteral("0.0"));
    Aim(form, QStringLiteral("foot.RAT"));
    QCOMPARE(Press(form), QString());  // no box to close at every press
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("statusLine"))->text(),
             QStringLiteral("Wrote \"%1\". An Incremental Depth (ft) of 0 is taken as 1 ft.")
                 .arg(Path(QStringLiteral("foot.RAT"))));
    QVERIFY(ListLines(form).at(3).startsWith(QStringLiteral("1        ")));
    QVERIFY(ReadFile(Path(QStringLiteral("foot.RAT")))
                .contains("\r\nElv Cfs Acft Cascades, BW=50 SideS=2 Fall=110 ChL=5.5 n=0.025\r\n"));
  }

  void failures_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("listCleared");
    QTest::addColumn<QString>("mended");

    using rating::FailureKind;
    QTest::newRow("bad field leaves list and file")
        << int(InputField::Length) << "5,5x" << int(FailureKind::TypeMismatch) << false << "5.5";
    QTest::newRow("zero roughness leaves list and file")
        << int(InputField::Roughness) << "0" << int(FailureKind::DivisionByZero) << false << "0.025";
    QTest::newRow("file that cannot be created empties the list")
        << int(InputField::Filename) << "/nope/x.RAT" << int(FailureKind::FileCreate) << true << QString();
    QTest::newRow("failed computation empties the list, keeps the file and marks its cause")
        << int(InputField::Fall) << "0" << int(FailureKind::DivisionByZero) << true << "110";
    QTest::newRow("overflow in a row marks the field that overflowed")
        << int(InputField::BottomWidth) << "3e38" << int(FailureKind::Overflow) << true << "50";
    QTest::newRow("maximum never reached")
        << int(InputField::MaxFlow) << "1e9" << int(FailureKind::IndexOutOfRange) << true << "3000";
    QTest::newRow("negative roughness is refused before any row")
        << int(InputField::Roughness) << "-0.025" << int(FailureKind::InvalidArgument) << false << "0.025";
    QTest::newRow("pasted two-line title") << int(InputField::Title) << "South Street\nChannel"
                                           << int(FailureKind::InvalidText) << true << "South Street Channel";
    QTest::newRow("pasted two-line file name")
        << int(InputField::Filename) << "kept\n.RAT" << int(FailureKind::InvalidText) << true << QString();
    QTest::newRow("a device is no rating file")
        << int(InputField::Filename) << "/dev/full" << int(FailureKind::FileCreate) << true << QString();
  }

  void failures() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(bool, listCleared);
    QFETCH(QString, mended);

    MainWindow form;
    Aim(form, QStringLiteral("kept.RAT"));
    Press(form);
    const QByteArray previous = ReadFile(Path(QStringLiteral("kept.RAT")));
    QLineEdit* edited = form.Field(static_cast<InputField>(field));
    edited->setText(text);

    // The window shows the run's own message unchanged; the texts are
    // reviewed in the engine's message catalogue.
    const rating::RatingFailure expected = RunFailure(form);
    QCOMPARE(int(expected.Kind()), kind);
    QString title;
    QCOMPARE(Press(form, &title), QString::fromUtf8(expected.what()));
    QCOMPARE(title, QStringLiteral("Trapezoid Channel Normal Depth-Flow-Volume Rating"));
    QCOMPARE(ListLines(form).isEmpty(), listCleared);
    QCOMPARE(ReadFile(Path(QStringLiteral("kept.RAT"))), previous);
    QCOMPARE(edited->text(), text);
    QCOMPARE(form.focusWidget(), edited);
    QCOMPARE(edited->selectedText(), text);
    QVERIFY(QDir(dir_.path()).entryList({QStringLiteral("*.partial")}, QDir::Files | QDir::Hidden).isEmpty());

    // The window lives on: mend the field and the next press works.
    edited->setText(mended.isNull() ? Path(QStringLiteral("kept.RAT")) : mended);
    QCOMPARE(Press(form), QString());
    QCOMPARE(ListLines(form).size(), 29);
  }

  // Run by the main_window_comma_locale test under LC_ALL=de_DE.UTF-8.
  void commaLocaleShowsAndRatesItsOwnDefaults() {
    if (QLocale().decimalPoint() != QLatin1Char(',')) QSKIP("needs a comma locale such as de_DE.UTF-8");
    MainWindow form;
    QCOMPARE(form.Field(InputField::Length)->text(), QStringLiteral("5,5"));
    QCOMPARE(form.Field(InputField::Roughness)->text(), QStringLiteral("0,025"));
    QCOMPARE(form.Field(InputField::Invert)->text(), QStringLiteral("0,0"));
    QCOMPARE(form.Field(InputField::Increment)->text(), QStringLiteral("0,2"));
    QCOMPARE(form.Field(InputField::Filename)->text(), QStringLiteral("MyRating.RAT"));
    Aim(form, QStringLiteral("komma.RAT"));
    form.Field(InputField::Fall)->setText(QStringLiteral("0,5"));
    QCOMPARE(Press(form), QString());
    QCOMPARE(ListLines(form).at(3), QStringLiteral("0,2      10,1     0,0838   0,845    6,72     27,8     "));
    // A copy keeps the comma, as the list shows it and a German spreadsheet reads it.
    auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    LineItem(list, 3)->setSelected(true);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text().split(QLatin1Char('\n')).at(1),
             QStringLiteral("0,2\t10,1\t0,0838\t0,845\t6,72\t27,8"));

    // The routing speaks in the same decimals: its summary and its chart.
    form.show();
    form.Field(InputField::Fall)->setText(QStringLiteral("110"));
    QCOMPARE(Press(form), QString());
    form.findChild<QAction*>(QStringLiteral("routeFlood"))->trigger();
    RoutingWindow* routing = form.Routing();
    QVERIFY(routing != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(routing));
    QApplication::clipboard()->setText(
        QString::fromStdString(rating::testing_support::TriangularInflowCsv()));
    QTest::keyClick(routing, Qt::Key_V, Qt::ControlModifier);
    const QString summary = routing->findChild<QLabel*>(QStringLiteral("routingSummary"))->text();
    QVERIFY2(summary.contains(QStringLiteral("outflow peak 2429,85 cfs at 6,75 h")), qPrintable(summary));
    bool subtitle = false;
    for (const rating::plot::Item& item : routing->findChild<HydrographChartView*>()->Drawn().items) {
      const auto* text = std::get_if<rating::plot::Text>(&item);
      subtitle =
          subtitle || (text != nullptr && text->text == "Subreaches 4, time step 0,25 h, 97 ordinates");
    }
    QVERIFY(subtitle);
  }

  // Started with --units si: every label names metres and cubic metres per
  // second, and the default channel converted writes the command line's bytes.
  void siWritesTheCommandLinesBytes() {
    MainWindow form(rating::UnitSystem::Si);
    form.show();
    Aim(form, QStringLiteral("si.RAT"));
    QCOMPARE(form.UnitsChoice()->currentText(), QStringLiteral("SI"));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("&Bottom Width (m)"));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Ma&ximum Flow (m3/s)"));
    QCOMPARE(form.Field(InputField::Length)->accessibleName(), QStringLiteral("Channel Length (km)"));
    const rating::FieldTexts texts = rating::testing_support::DefaultChannelInSi();
    for (const rating::FieldFacts& facts : rating::kFields) {
      if (QLineEdit* field = form.Field(facts.field);
          field != nullptr && facts.field != InputField::Filename && field->isEnabled()) {
        field->setText(QString::fromStdString(rating::TextOf(texts, facts.field)));
      }
    }
    QCOMPARE(Press(form), QString());
    QCOMPARE(ReadFile(Path(QStringLiteral("si.RAT"))),
             ReadFile(QStringLiteral(RATING_GOLDEN_DIR "/default-si.RAT")));
    KeepScreenshot(form, QStringLiteral("main-window-si.png"));
    // Back to US customary: the labels name feet again.
    form.UnitsChoice()->setCurrentIndex(0);
    emit form.UnitsChoice()->activated(0);
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("&Bottom Width (ft)"));
  }

  // The compound section chosen, pasted and pressed: the bytes the command
  // line writes for it, the fields it does not use disabled, and its
  // picture with the water of the last row.
  void surveyedSectionWritesTheCommandLinesBytes() {
    MainWindow form;
    form.show();
    Aim(form, QStringLiteral("compound.RAT"));
    form.ShapeChoice()->setCurrentIndex(static_cast<int>(rating::SectionShape::Surveyed));
    emit form.ShapeChoice()->activated(form.ShapeChoice()->currentIndex());
    SectionWindow* section = form.Section();
    QVERIFY(section != nullptr && section->isVisible());
    QVERIFY(!form.Field(InputField::BottomWidth)->isEnabled());
    QVERIFY(!form.Field(InputField::Invert)->isEnabled());
    QVERIFY(!form.Field(InputField::Diameter)->isEnabled());
    const rating::FieldTexts texts = rating::testing_support::CompoundTexts();
    for (const rating::FieldFacts& facts : rating::kFields) {
      if (QLineEdit* field = form.Field(facts.field);
          field != nullptr && facts.field != InputField::Filename) {
        field->setText(QString::fromStdString(rating::TextOf(texts, facts.field)));
      }
    }
    QApplication::clipboard()->setText(
        QString::fromStdString(rating::GroundLineText(rating::testing_support::kCompoundGround)));
    section->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(section));
    QTest::keyClick(section, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(section->findChild<QLabel*>(QStringLiteral("sectionRead"))->text(),
             QStringLiteral("8 points, stations 0 to 260 ft"));
    QCOMPARE(Press(form), QString());
    QCOMPARE(ReadFile(Path(QStringLiteral("compound.RAT"))),
             ReadFile(QStringLiteral(RATING_GOLDEN_DIR "/compound-section.RAT")));
    const auto* picture = section->findChild<CrossSectionView*>(QStringLiteral("sectionPicture"));
    const auto water = std::count_if(
        picture->Drawn().items.begin(), picture->Drawn().items.end(), [](const rating::plot::Item& item) {
          const auto* rect = std::get_if<rating::plot::Rect>(&item);
          return rect != nullptr && rect->filled && rect->fill != rating::plot::kWhite;
        });
    QVERIFY(water > 0);
    KeepScreenshot(*section, QStringLiteral("section-window.png"));
    KeepScreenshot(form, QStringLiteral("main-window.png"));
  }

  // A failure in a field of the Section window, closed meanwhile, brings it
  // back with the cursor in the field.
  void aSectionFieldThatFailsReopensItsWindow() {
    MainWindow form;
    form.show();
    Aim(form, QStringLiteral("bank.RAT"));
    form.ShapeChoice()->setCurrentIndex(static_cast<int>(rating::SectionShape::Surveyed));
    emit form.ShapeChoice()->activated(form.ShapeChoice()->currentIndex());
    SectionWindow* section = form.Section();
    QApplication::clipboard()->setText(
        QString::fromStdString(rating::GroundLineText(rating::testing_support::kCompoundGround)));
    section->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(section));
    QTest::keyClick(section, Qt::Key_V, Qt::ControlModifier);
    section->Field(InputField::LeftBank)->setText(QStringLiteral("300"));
    section->close();
    QVERIFY(!section->isVisible());
    QCOMPARE(Press(form),
             QStringLiteral("Invalid argument: Left Bank Station (ft) 300 lies outside the section, "
                            "whose stations run from 0 to 260."));
    QVERIFY(section->isVisible());
    QCOMPARE(section->focusWidget(), section->Field(InputField::LeftBank));
    QVERIFY(!QFile::exists(Path(QStringLiteral("bank.RAT"))));
  }

  void tabOrderWalksTheFieldsColumnByColumn() {
    MainWindow form;
    // The Section choice, the diameter beside it and the Units choice come
    // before the fields.
    const QStringList expected = {"Command1",       "List1",   "cboShape",     "txtDiameter", "cboUnits",
                                  "txtWidth",       "txtBank", "txtSlope",     "txtLength",   "txtN",
                                  "txtMaxQ",        "txtElev", "txtIncrement", "txtTitle",    "txtFilename",
                                  "browseFilename", "Command1"};
    QStringList walked;
    QWidget* widget = form.findChild<QWidget*>(QStringLiteral("Command1"));
    for (int i = 0; i < expected.size(); ++i) {
      walked << widget->objectName();
      do {
        widget = widget->nextInFocusChain();
      } while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty());
    }
    QCOMPARE(walked, expected);
    QCOMPARE(form.focusWidget()->objectName(), QStringLiteral("Command1"));
  }

  void listFontIsFixedPitch() {
    MainWindow form;
    auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    QVERIFY(QFontInfo(list->font()).fixedPitch());
    QCOMPARE(list->font().pointSizeF(), 9.75);
  }

  void controlsKeepTheirPlacesWhenResized() {
    MainWindow form;
    form.show();
    QCOMPARE(form.size(), QSize(753, 371));  // the form's 343 pixels, and the status line under it
    auto* button = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(button->geometry(), QRect(96, 264, 121, 25));
    QCOMPARE(list->geometry().height(), 264);
    const QRect designed = list->geometry();
    form.resize(1000, 600);
    QCoreApplication::processEvents();
    QCOMPARE(button->geometry(), QRect(96, 264, 121, 25));
    // The list keeps its place and grows with the window, moving right only
    // as far as a caption wider in the desktop's font than the form allowed
    // needs; no label runs into it. The status line stays under everything.
    QCOMPARE(list->geometry().top(), 16);
    QCOMPARE(list->geometry().height(), 264 + 600 - 371);
    QCOMPARE(list->geometry().width(), designed.width() + 1000 - 753);
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("statusLine"))->geometry().bottom(), 600 - 1 - 8);
    form.resize(400, 200);
    QCOMPARE(form.size(), QSize(753, 371));  // never smaller than the form
    QVERIFY(list->geometry().left() >= 296);
    QVERIFY(list->geometry().right() < form.width());
    QVERIFY(list->geometry().width() >= 445);
    for (const QLabel* label : form.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
      QVERIFY2(!label->geometry().intersects(list->geometry()), qPrintable(label->text()));
    }
  }

  void screenReadersNameEveryFieldByItsLabel() {
    MainWindow form;
    form.show();
    for (const rating::layout::FieldPlace& facts : rating::layout::kFieldPlaces) {
      QLineEdit* field = form.Field(facts.field);
      const QString caption =
          QString::fromUtf8(rating::FieldLabel(facts.field).data(),
                            static_cast<qsizetype>(rating::FieldLabel(facts.field).size()));
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
      QVERIFY(accessible != nullptr);
      QCOMPARE(accessible->text(QAccessible::Name), caption);
      bool buddied = false;
      for (const QLabel* candidate : form.findChildren<QLabel*>()) {
        if (candidate->buddy() == field) buddied = candidate->text().remove(QLatin1Char('&')) == caption;
      }
      QVERIFY2(buddied, qPrintable(caption));
    }
    auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Name),
             QStringLiteral("Rating table"));
  }

  // Alt with a label's underlined letter goes to its field; Alt+C presses
  // the button.
  void accessKeysReachEveryFieldAndTheButton() {
    MainWindow form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    for (const rating::layout::FieldPlace& place : rating::layout::kFieldPlaces) {
      QTest::keyClick(&form, static_cast<Qt::Key>(place.accessKey), Qt::AltModifier);
      QTRY_COMPARE(QApplication::focusWidget(), form.Field(place.field));
    }
    Aim(form, QStringLiteral("alt.RAT"));
    QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(ReadFile(Path(QStringLiteral("alt.RAT"))), Golden());
  }

  // The triangular flood pasted into the routing window routes as the core
  // routes it; a press that cannot carry it leaves no stale chart.
  void routeAFloodPastedIntoTheRoutingWindow() {
    MainWindow form;
    form.show();
    Aim(form, QStringLiteral("routed.RAT"));
    QCOMPARE(Press(form), QString());
    form.findChild<QAction*>(QStringLiteral("routeFlood"))->trigger();
    RoutingWindow* routing = form.Routing();
    QVERIFY(routing != nullptr && routing->isVisible());
    QApplication::clipboard()->setText(
        QString::fromStdString(rating::testing_support::TriangularInflowCsv()));
    QVERIFY(QTest::qWaitForWindowActive(routing));
    QTest::keyClick(routing, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(routing->findChild<QLabel*>(QStringLiteral("inflowRead"))->text(),
             QStringLiteral("97 ordinates over 24 h"));
    QCOMPARE(routing->findChild<QLineEdit*>(QStringLiteral("subreaches"))->text(), QStringLiteral("4"));
    QCOMPARE(routing->findChild<QLabel*>(QStringLiteral("suggestedSubreaches"))->text(),
             QStringLiteral("suggested: 4"));
    const QString summary = routing->findChild<QLabel*>(QStringLiteral("routingSummary"))->text();
    QVERIFY2(summary.contains(QStringLiteral("outflow peak 2429.85 cfs at 6.75 h")), qPrintable(summary));
    QCOMPARE(routing->findChild<QWidget*>(QStringLiteral("hydrographChart"))->accessibleDescription(),
             summary);

    form.SetSaveNameChooser([&](QWidget*, const QString&, const QString&, const QString&) {
      return Path(QStringLiteral("routed.csv"));
    });
    routing->findChild<QPushButton*>(QStringLiteral("saveRoutedCsv"))->click();
    QCOMPARE(ReadFile(Path(QStringLiteral("routed.csv"))),
             QByteArray::fromStdString(rating::RoutedCsv(*form.Controller().Routed())));
    QVERIFY(ReadFile(Path(QStringLiteral("routed.csv")))
                .startsWith(
                    "Time (h),Inflow (cfs),Outflow (cfs)\r\n0,100,100\r\n0.25,200,100.24701257341601\r\n"));

    form.Field(InputField::MaxFlow)->setText(QStringLiteral("1000"));
    QCOMPARE(Press(form), QString());
    QVERIFY(routing->findChild<QLabel*>(QStringLiteral("routingSummary"))
                ->text()
                .contains(QStringLiteral("ordinate 12, at 2.75 h")));
    QVERIFY(!routing->findChild<QPushButton*>(QStringLiteral("saveRoutedCsv"))->isEnabled());
  }

  void browseAsksWhereToWriteTheRatingFile() {
    MainWindow form;
    QString offered;
    form.SetSaveNameChooser([&](QWidget*, const QString&, const QString& suggested, const QString&) {
      offered = suggested;
      return Path(QStringLiteral("chosen.RAT"));
    });
    Aim(form, QStringLiteral("typed.RAT"));
    form.findChild<QPushButton*>(QStringLiteral("browseFilename"))->click();
    QCOMPARE(offered, Path(QStringLiteral("typed.RAT")));
    QCOMPARE(form.Field(InputField::Filename)->text(), Path(QStringLiteral("chosen.RAT")));
    QCOMPARE(Press(form), QString());
    QVERIFY(QFile::exists(Path(QStringLiteral("chosen.RAT"))));
  }

  void returnInAnyFieldCreatesTheRatingFile() {
    for (const rating::layout::FieldPlace& facts : rating::layout::kFieldPlaces) {
      MainWindow form;
      form.show();
      Aim(form, QStringLiteral("return.RAT"));
      QFile::remove(Path(QStringLiteral("return.RAT")));
      QTest::keyClick(form.Field(facts.field), Qt::Key_Return);
      QCOMPARE(ListLines(form).size(), 29);
      QCOMPARE(ReadFile(Path(QStringLiteral("return.RAT"))), Golden());
    }
  }

  // Ctrl+C in the list copies the selected rows as the session's table.
  void ctrlCCopiesTheSelectedRows() {
    MainWindow form;
    Aim(form, QStringLiteral("copy.RAT"));
    QCOMPARE(Press(form), QString());
    auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    LineItem(list, 2)->setSelected(true);
    LineItem(list, 28)->setSelected(true);
    QApplication::clipboard()->clear();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);  // the header, the two rows and an empty last line
    QCOMPARE(lines.at(1), QStringLiteral("0\t0\t0\t0\t0\t0"));
    QCOMPARE(lines.at(2), QStringLiteral("5.2\t314\t9.65\t3030\t209\t1.22"));
  }

  void contextMenuCopiesAndShowsTheRatingCurves() {
    MainWindow form;
    form.show();
    auto* list = form.findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(list->contextMenuPolicy(), Qt::ActionsContextMenu);
    auto* copy = form.findChild<QAction*>(QStringLiteral("copyTable"));
    auto* curves = form.findChild<QAction*>(QStringLiteral("showRatingCurves"));
    QVERIFY(copy != nullptr && curves != nullptr);
    auto* saveTable = form.findChild<QAction*>(QStringLiteral("saveTableCsv"));
    auto* savePairs = form.findChild<QAction*>(QStringLiteral("savePairedData"));
    auto* saveCurves = form.findChild<QAction*>(QStringLiteral("saveRatingCurvesSvg"));
    auto* route = form.findChild<QAction*>(QStringLiteral("routeFlood"));
    QCOMPARE(list->actions(), (QList<QAction*>{copy, saveTable, savePairs, saveCurves, curves, route}));
    QCOMPARE(copy->text(), QStringLiteral("Copy Table"));
    QCOMPARE(curves->text(), QStringLiteral("Show Rating Curves…"));
    QVERIFY2(!curves->isEnabled(), "no curves before a run");
    QVERIFY2(!copy->isEnabled(), "nothing to copy before a run");

    Aim(form, QStringLiteral("curves.RAT"));
    QCOMPARE(Press(form), QString());
    QVERIFY(curves->isEnabled());
    QVERIFY(copy->isEnabled());
    LineItem(list, 3)->setSelected(true);
    copy->trigger();
    QCOMPARE(QApplication::clipboard()->text().split(QLatin1Char('\n')).at(1),
             QStringLiteral("0.2\t10.1\t1.24\t12.5\t6.72\t440"));

    curves->trigger();
    auto* dialog = form.findChild<QDialog*>(QStringLiteral("RatingCurves"));
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QVERIFY2(!dialog->isModal(), "the main window stays usable");
    QCOMPARE(dialog->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(dialog->actions(), (QList<QAction*>{saveTable, savePairs, saveCurves, route}));
    QVERIFY(dialog->windowTitle().contains(QStringLiteral("South Street Channel")));
    // Beside the main window, not over it, on a screen too small for both
    // whole.
    QVERIFY2(!dialog->frameGeometry().intersects(form.frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(dialog->x())
                            .arg(dialog->y())
                            .arg(dialog->width())
                            .arg(dialog->height())));
    // Drawn at its page's size: white paper, black frames and text, and the
    // blue curves.
    dialog->resize(static_cast<int>(rating::plot::kRatingCurvesPageWidth),
                   static_cast<int>(rating::plot::kRatingCurvesPageHeight));
    const QImage drawing = dialog->grab().toImage();
    int curvePixels = 0;
    int darkPixels = 0;
    for (int y = 0; y < drawing.height(); ++y) {
      for (int x = 0; x < drawing.width(); ++x) {
        const QColor pixel = drawing.pixelColor(x, y);
        if (pixel.blue() > 120 && pixel.red() < 80) ++curvePixels;
        if (pixel.lightness() < 60) ++darkPixels;
      }
    }
    QVERIFY2(curvePixels > 1000, qPrintable(QString::number(curvePixels)));
    QVERIFY2(darkPixels > 1000, qPrintable(QString::number(darkPixels)));

    // One curves window, which follows each good run and goes with the list.
    curves->trigger();
    QCOMPARE(form.findChildren<QDialog*>(QStringLiteral("RatingCurves")).size(), 1);
    form.Field(InputField::Title)->setText(QStringLiteral("Mill Creek"));
    QCOMPARE(Press(form), QString());
    QVERIFY(dialog->windowTitle().contains(QStringLiteral("Mill Creek")));
    form.Field(InputField::Fall)->setText(QStringLiteral("0"));
    QVERIFY(!Press(form).isEmpty());
    QTRY_VERIFY(form.findChild<QDialog*>(QStringLiteral("RatingCurves")) == nullptr);
    QVERIFY2(!curves->isEnabled(), "the emptied list has no curves");
    QVERIFY2(!copy->isEnabled(), "the emptied list has nothing to copy");
    for (QAction* save : {saveTable, savePairs, saveCurves}) QVERIFY2(!save->isEnabled(), "nothing to save");
  }

  // Each Save command asks for a name beside the rating file and writes the
  // command line's bytes there; a failure keeps the previous file and says
  // why, and the paired data's note on rows left out is shown.
  void saveCommandsWriteTheExports() {
    MainWindow form;
    Aim(form, QStringLiteral("saved.RAT"));
    QCOMPARE(Press(form), QString());
    QString asked;
    QString target;
    form.SetSaveNameChooser([&](QWidget*, const QString&, const QString& offered, const QString&) {
      asked = offered;
      return target;
    });
    // Each command offers its name beside the rating file and writes the
    // session's bytes there (their content is the session's test).
    const QStringList actions = {"saveTableCsv", "savePairedData", "saveRatingCurvesSvg"};
    const QStringList names = {"saved.csv", "saved-paired.csv", "saved.svg"};
    for (qsizetype i = 0; i < actions.size(); ++i) {
      target = Path(names.at(i));
      QCOMPARE(ShownWhile([&] { form.findChild<QAction*>(actions.at(i))->trigger(); }), QString());
      QCOMPARE(asked, target);
      QVERIFY2(!ReadFile(target).isEmpty(), qPrintable(target));
    }
    // A folder where the file should go: the message box names it.
    target = Path(QStringLiteral("blocked"));
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("blocked")));
    QString boxName;
    const QString shown = ShownWhile(
        [&form] { form.findChild<QAction*>(QStringLiteral("saveTableCsv"))->trigger(); }, nullptr, &boxName);
    QVERIFY2(shown.startsWith(QStringLiteral("Cannot write CSV table \"") + target), qPrintable(shown));
    QCOMPARE(boxName, QStringLiteral("SaveFailure"));
    // Cancelled: nothing is written and nothing shown.
    target.clear();
    QCOMPARE(ShownWhile([&form] { form.findChild<QAction*>(QStringLiteral("saveTableCsv"))->trigger(); }),
             QString());
  }

  void savedPairedDataShowTheRowsLeftOut() {
    MainWindow form;
    Aim(form, QStringLiteral("fine.RAT"));
    form.Field(InputField::Increment)->setText(QStringLiteral("0.002"));
    form.Field(InputField::MaxFlow)->setText(QStringLiteral("100"));
    QCOMPARE(Press(form), QString());
    const QString target = Path(QStringLiteral("fine-paired.csv"));
    form.SetSaveNameChooser([&](QWidget*, const QString&, const QString&, const QString&) { return target; });
    QString boxName;
    const QString shown =
        ShownWhile([&form] { form.findChild<QAction*>(QStringLiteral("savePairedData"))->trigger(); },
                   nullptr, &boxName);
    QCOMPARE(boxName, QStringLiteral("PairedDataNote"));
    QVERIFY2(shown.contains(QStringLiteral("left out of the paired data")), qPrintable(shown));
    QVERIFY(!ReadFile(target).isEmpty());
  }

  // Help and the version are answered before Qt starts; what Qt leaves of
  // the command line, once it has taken its own options, is refused.
  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("beforeQt");  // -1: Qt starts
    QTest::addColumn<int>("afterQt");   // -1: the window opens
    QTest::newRow("none") << QStringList{} << -1 << -1;
    QTest::newRow("help") << QStringList{"--help"} << 0 << 2;
    QTest::newRow("version") << QStringList{"-v"} << 0 << 2;
    QTest::newRow("an option of the command line") << QStringList{"--width", "40"} << -1 << 2;
  }

  void commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, beforeQt);
    QFETCH(int, afterQt);
    arguments.prepend(QStringLiteral("trapezoid-rating"));
    std::vector<QByteArray> bytes;
    std::vector<char*> argv;
    for (const QString& argument : arguments) bytes.push_back(argument.toLocal8Bit());
    for (QByteArray& argument : bytes) argv.push_back(argument.data());
    const int argc = static_cast<int>(argv.size());
    QCOMPARE(AnswerHelpOrVersion(argc, argv.data()).value_or(-1), beforeQt);
    QCOMPARE(RefuseOtherArguments(argc, argv.data()).value_or(-1), afterQt);
  }

  void relativeNamesResolveAgainstTheProgramFolder() {
    QTemporaryDir elsewhere;
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    MainWindow form;
    QCOMPARE(rating::MakeWorkingFolderCurrent(), std::nullopt);
    const QString expected =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("MyRating.RAT"));
    QFile::remove(expected);
    QCOMPARE(Press(form), QString());
    QVERIFY(QFile::exists(expected));
    QVERIFY(!QFile::exists(QDir(elsewhere.path()).filePath(QStringLiteral("MyRating.RAT"))));
    QFile::remove(expected);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
