#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include "app/rating_curves_dialog.h"
#include "engine/failure.h"
#include "engine/input_field.h"

namespace {

using rating::InputField;

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch; Qt scales for high-DPI screens
constexpr int kFieldHeight = 285;   // twips
constexpr int kLabelHeight = 255;
constexpr int kLabelAbove = 240;  // a label's top is this far above its field's

const char* const kCaption = "Trapezoid Channel Normal Depth-Flow-Volume Rating";

QRect FromTwips(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

QString Latin1(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

std::string UserDecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

QFont ListFont() {
  QFont font(QStringLiteral("Courier"));
  font.setPointSizeF(9.75);
  font.setWeight(QFont::Normal);
  // Where Courier is missing, any fixed-pitch face keeps the columns lined up.
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/trapezoid-rating-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/icons/trapezoid-rating-32.png"), QSize(32, 32));
  return icon;
}

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent),
      list_(new QListWidget(this)),
      createButton_(new QPushButton(QStringLiteral("Create Rating File"), this)),
      copyAction_(new QAction(QStringLiteral("Copy Table"), this)),
      showCurvesAction_(new QAction(QStringLiteral("Show Rating Curves…"), this)) {
  // Form1, Command1, List1 and the field names of kFields are the form's
  // historic control names: scripts and tests find the widgets by them.
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf8(kCaption));
  setWindowIcon(ProgramIcon());
  resize(11295 / kTwipsPerPixel, 4485 / kTwipsPerPixel);
  // The twip layout was drawn for an 8.25 pt dialog font; the captions fit it.
  QFont dialogFont = font();
  dialogFont.setPointSizeF(8.25);
  setFont(dialogFont);

  createButton_->setObjectName(QStringLiteral("Command1"));
  createButton_->setGeometry(FromTwips(1440, 3960, 1815, 375));
  connect(createButton_, &QPushButton::clicked, this, &MainWindow::CreateRatingFileClicked);

  list_->setObjectName(QStringLiteral("List1"));
  list_->setGeometry(FromTwips(4440, 240, 6735, 3960));
  list_->setFont(ListFont());
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->installEventFilter(this);  // Ctrl+C copies the table, not one line
  copyAction_->setObjectName(QStringLiteral("copyTable"));
  copyAction_->setShortcut(QKeySequence::Copy);
  copyAction_->setShortcutContext(Qt::WidgetShortcut);
  copyAction_->setShortcutVisibleInContextMenu(true);
  connect(copyAction_, &QAction::triggered, this, &MainWindow::CopyTable);
  showCurvesAction_->setObjectName(QStringLiteral("showRatingCurves"));
  showCurvesAction_->setEnabled(false);  // until a run succeeds
  connect(showCurvesAction_, &QAction::triggered, this, &MainWindow::ShowRatingCurves);
  list_->addAction(copyAction_);
  list_->addAction(showCurvesAction_);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);

  QWidget* previous = list_;
  setTabOrder(createButton_, list_);
  for (const rating::FieldFacts& place : rating::kFields) {
    const std::string_view caption = place.label;
    auto* label = new QLabel(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), this);
    label->setObjectName(Latin1(place.labelName));
    QRect labelPlace = FromTwips(place.left, place.top - kLabelAbove, place.labelWidth, kLabelHeight);
    // A wider desktop font must not cut a caption short; labels are
    // transparent and nothing lies to their right on their line.
    labelPlace.setWidth(std::max(labelPlace.width(), label->sizeHint().width()));
    label->setGeometry(labelPlace);

    auto* text = new QLineEdit(
        QString::fromStdString(rating::DefaultFieldText(place.field, UserDecimalSeparator())), this);
    text->setObjectName(Latin1(place.widgetName));
    text->setGeometry(FromTwips(place.left, place.top, place.width, kFieldHeight));
    fields_.at(static_cast<std::size_t>(place.field)) = text;
    setTabOrder(previous, text);
    previous = text;
  }
  createButton_->setFocus();
}

QLineEdit* MainWindow::Field(InputField field) const { return fields_.at(static_cast<std::size_t>(field)); }

std::string MainWindow::FieldText(InputField field) { return Field(field)->text().toStdString(); }

std::string MainWindow::DecimalSeparator() { return UserDecimalSeparator(); }

void MainWindow::ClearList() { list_->clear(); }

void MainWindow::AddListLine(const std::string& line) { list_->addItem(QString::fromStdString(line)); }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto* key = dynamic_cast<const QKeyEvent*>(event);
  if (watched == list_ && event->type() == QEvent::KeyPress && key != nullptr &&
      key->matches(QKeySequence::Copy)) {
    CopyTable();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::CopyTable() {
  // The first two lines of the list are the headings; the copy has its own.
  constexpr int kFirstRow = static_cast<int>(rating::kListingHeadings.size());
  std::vector<std::string> rows;
  for (int i = kFirstRow; i < list_->count(); ++i) {
    if (list_->item(i)->isSelected()) rows.push_back(list_->item(i)->text().toStdString());
  }
  if (rows.empty()) {
    for (int i = kFirstRow; i < list_->count(); ++i) rows.push_back(list_->item(i)->text().toStdString());
  }
  if (rows.empty()) return;  // nothing rated yet
  QApplication::clipboard()->setText(QString::fromStdString(rating::TabSeparatedListing(rows)));
}

void MainWindow::ShowRatingCurves() {
  if (lastCurves_.elevation.empty()) return;
  auto* dialog = new RatingCurvesDialog(lastCurves_, this);
  dialog->show();
}

void MainWindow::CreateRatingFileClicked() {
  try {
    const rating::RatingResult result = rating::CreateRatingFile(*this);
    lastCurves_ = rating::CurvesOf(result, FieldText(InputField::Title), DecimalSeparator());
    showCurvesAction_->setEnabled(true);
  } catch (const rating::RatingFailure& failure) {
    ShowFailure(QString::fromUtf8(failure.what()));
    if (const auto field = failure.Field()) {
      QLineEdit* text = Field(*field);
      text->setFocus();
      text->selectAll();
    }
  } catch (const std::exception& failure) {
    ShowFailure(QString::fromUtf8(failure.what()));
  }
}

void MainWindow::ShowFailure(const QString& message) {
  QMessageBox box(QMessageBox::Critical, windowTitle(), message, QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("RatingFailure"));
  box.exec();
}
