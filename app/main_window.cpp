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
#include "layout/form_layout.h"

namespace {

using rating::InputField;
namespace layout = rating::layout;

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch; Qt scales for high-DPI screens

QRect FromTwips(const layout::Rect& twips) {
  return {twips.left / kTwipsPerPixel, twips.top / kTwipsPerPixel, twips.width / kTwipsPerPixel,
          twips.height / kTwipsPerPixel};
}

QString Latin1(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string UserDecimalSeparator() { return QLocale().decimalPoint().toStdString(); }

QFont ListFont() {
  QFont font(QStringLiteral("Courier"));
  font.setPointSizeF(layout::kListFontPoints);
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
      createButton_(new QPushButton(Utf8(layout::kButtonCaption), this)),
      copyAction_(new QAction(QStringLiteral("Copy Table"), this)),
      showCurvesAction_(new QAction(QStringLiteral("Show Rating Curves…"), this)) {
  setObjectName(Latin1(layout::kWindowName));
  setWindowTitle(Utf8(layout::kCaption));
  setWindowIcon(ProgramIcon());
  resize(layout::kClientWidth / kTwipsPerPixel, layout::kClientHeight / kTwipsPerPixel);
  QFont dialogFont = font();
  dialogFont.setPointSizeF(layout::kDialogFontPoints);
  setFont(dialogFont);

  createButton_->setObjectName(Latin1(layout::kButtonName));
  createButton_->setGeometry(FromTwips(layout::kButton));
  connect(createButton_, &QPushButton::clicked, this, &MainWindow::CreateRatingFileClicked);

  list_->setObjectName(Latin1(layout::kListName));
  list_->setAccessibleName(QStringLiteral("Rating table"));
  list_->setFont(ListFont());
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->installEventFilter(this);  // Ctrl+C copies the table, not one line
  copyAction_->setObjectName(QStringLiteral("copyTable"));
  copyAction_->setShortcut(QKeySequence::Copy);
  copyAction_->setShortcutContext(Qt::WidgetShortcut);
  copyAction_->setShortcutVisibleInContextMenu(true);
  copyAction_->setEnabled(false);  // until the list holds rows
  connect(copyAction_, &QAction::triggered, this, &MainWindow::CopyTable);
  showCurvesAction_->setObjectName(QStringLiteral("showRatingCurves"));
  showCurvesAction_->setEnabled(false);
  connect(showCurvesAction_, &QAction::triggered, this, &MainWindow::ShowRatingCurves);
  list_->addAction(copyAction_);
  list_->addAction(showCurvesAction_);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);

  QWidget* previous = list_;
  setTabOrder(createButton_, list_);
  int labelsRight = 0;  // pixels
  for (const layout::FieldPlace& place : layout::kFieldPlaces) {
    const QString caption = Utf8(rating::Facts(place.field).label);
    auto* label = new QLabel(caption, this);
    label->setObjectName(Latin1(place.labelName));
    QRect labelPlace = FromTwips(layout::LabelRect(place));
    // A wider desktop font must not cut a caption short; labels are
    // transparent and nothing lies to their right on their line but the list,
    // which moves aside below.
    labelPlace.setWidth(std::max(labelPlace.width(), label->sizeHint().width()));
    label->setGeometry(labelPlace);
    labelsRight = std::max(labelsRight, labelPlace.right());

    auto* text = new QLineEdit(
        QString::fromStdString(rating::DefaultFieldText(place.field, UserDecimalSeparator())), this);
    text->setObjectName(Latin1(place.widgetName));
    text->setGeometry(FromTwips(layout::FieldRect(place)));
    // A screen reader names the field by its label.
    label->setBuddy(text);
    text->setAccessibleName(caption);
    // Return in any field presses the button, as in a dialog.
    connect(text, &QLineEdit::returnPressed, this, &MainWindow::CreateRatingFileClicked);
    fields_.at(static_cast<std::size_t>(place.field)) = text;
    setTabOrder(previous, text);
    previous = text;
  }
  list_->setGeometry(FromTwips(layout::ListClearOf((labelsRight + 1) * kTwipsPerPixel)));
  createButton_->setFocus();
}

QLineEdit* MainWindow::Field(InputField field) const { return fields_.at(static_cast<std::size_t>(field)); }

rating::FieldTexts MainWindow::FieldTexts() const {
  rating::FieldTexts texts;
  for (const rating::FieldFacts& facts : rating::kFields) {
    rating::TextOf(texts, facts.field) = Field(facts.field)->text().toStdString();
  }
  return texts;
}

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
  if (listedCurves_.elevation.empty()) return;
  if (curvesWindow_ == nullptr) {
    curvesWindow_ = new RatingCurvesDialog(listedCurves_, this);
  } else {
    curvesWindow_->SetCurves(listedCurves_);
  }
  curvesWindow_->show();
  curvesWindow_->raise();
  curvesWindow_->activateWindow();
}

void MainWindow::SetListLines(const std::vector<std::string>& lines) {
  list_->clear();
  for (const std::string& line : lines) list_->addItem(QString::fromStdString(line));
  copyAction_->setEnabled(!lines.empty());
}

void MainWindow::CreateRatingFileClicked() {
  const std::string separator = UserDecimalSeparator();
  const rating::FieldTexts texts = FieldTexts();
  const rating::RatingOutcome outcome = rating::RateFields(texts, separator);
  try {
    rating::WriteRatingFile(outcome);
  } catch (const rating::RunFailure& failure) {
    ShowFailure(failure);
    return;
  }
  SetListLines(outcome.result->listing);
  listedCurves_ = rating::CurvesOf(*outcome.result, rating::TextOf(texts, InputField::Title), separator);
  showCurvesAction_->setEnabled(true);
  if (curvesWindow_ != nullptr) curvesWindow_->SetCurves(listedCurves_);
}

void MainWindow::ShowFailure(const rating::RunFailure& failure) {
  if (failure.EmptiesList()) {
    // The list and the curves no longer show a rating of these fields.
    SetListLines({});
    listedCurves_ = {};
    showCurvesAction_->setEnabled(false);
    if (curvesWindow_ != nullptr) curvesWindow_->close();
  }
  QMessageBox box(QMessageBox::Critical, windowTitle(), QString::fromUtf8(failure.what()), QMessageBox::Ok,
                  this);
  box.setObjectName(QStringLiteral("RatingFailure"));
  box.exec();
  if (const auto field = failure.Field()) {
    QLineEdit* text = Field(*field);
    text->setFocus();
    text->selectAll();
  }
}
