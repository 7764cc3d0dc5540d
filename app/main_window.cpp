#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include "app/rating_curves_dialog.h"
#include "layout/form_layout.h"
#include "messages/messages.h"
#include "run/platform.h"

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

QString Caption(rating::Message caption) { return Utf8(rating::Pattern(caption)); }

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
      createButton_(
          new QPushButton(Utf8(layout::WithAccessKey(rating::Pattern(rating::Message::CaptionButton),
                                                     layout::kButtonAccessKey)),
                          this)),
      copyAction_(new QAction(Caption(rating::Message::CaptionCopyTable), this)),
      showCurvesAction_(new QAction(Caption(rating::Message::CaptionShowCurves), this)),
      session_(rating::platform::UserDecimalSeparator()),
      chooseSaveName_(
          [](QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) {
            return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
          }) {
  setObjectName(Latin1(layout::kWindowName));
  setWindowTitle(Utf8(rating::Pattern(rating::Message::CaptionWindow)));
  setWindowIcon(ProgramIcon());
  resize(layout::kClientWidth / kTwipsPerPixel, layout::kClientHeight / kTwipsPerPixel);
  QFont dialogFont = font();
  dialogFont.setPointSizeF(layout::kDialogFontPoints);
  setFont(dialogFont);

  createButton_->setObjectName(Latin1(layout::kButtonName));
  createButton_->setGeometry(FromTwips(layout::kButton));
  connect(createButton_, &QPushButton::clicked, this, &MainWindow::CreateRatingFileClicked);

  list_->setObjectName(Latin1(layout::kListName));
  list_->setAccessibleName(Caption(rating::Message::CaptionListName));
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
  for (const rating::ExportFacts& command : rating::kExports) {
    auto* action = new QAction(Caption(command.command), this);
    action->setObjectName(Latin1(command.name));
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, what = command.what] { SaveExport(what); });
    saveActions_.at(static_cast<std::size_t>(command.what)) = action;
    list_->addAction(action);
  }
  list_->addAction(showCurvesAction_);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);

  QWidget* previous = list_;
  setTabOrder(createButton_, list_);
  int labelsRight = 0;  // pixels
  for (const layout::FieldPlace& place : layout::kFieldPlaces) {
    const QString caption = Utf8(rating::FieldLabel(place.field));
    auto* text = new QLineEdit(Utf8(session_.DefaultText(place.field)), this);
    text->setObjectName(Latin1(place.widgetName));
    text->setGeometry(FromTwips(layout::FieldRect(place)));
    // A screen reader names the field by its label, and Alt with the label's
    // underlined letter goes to the field, its buddy.
    auto* label =
        new QLabel(Utf8(layout::WithAccessKey(rating::FieldLabel(place.field), place.accessKey)), this);
    label->setObjectName(Latin1(place.labelName));
    label->setBuddy(text);
    text->setAccessibleName(caption);
    QRect labelPlace = FromTwips(layout::LabelRect(place));
    // A wider desktop font must not cut a caption short; labels are
    // transparent and nothing lies to their right on their line but the list,
    // which moves aside below.
    labelPlace.setWidth(std::max(labelPlace.width(), label->sizeHint().width()));
    label->setGeometry(labelPlace);
    labelsRight = std::max(labelsRight, labelPlace.right());

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
    rating::TextOf(texts, facts.field) = Field(facts.field)->text().toUtf8().toStdString();
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
  std::vector<int> selected;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) selected.push_back(index.row());
  const std::string table = session_.CopyText(selected);
  if (!table.empty()) QApplication::clipboard()->setText(Utf8(table));
}

void MainWindow::SaveExport(rating::Export what) {
  if (session_.Empty()) return;
  const QString filter = Caption(rating::FactsOf(what).fileType) + QStringLiteral(";;") +
                         Caption(rating::Message::CaptionAllFiles);
  const QString caption = Utf8(rating::SaveDialogTitle(what));
  const QString path = chooseSaveName_(this, caption, Utf8(session_.SuggestedName(what)), filter);
  if (path.isEmpty()) return;
  const rating::SaveOutcome outcome = session_.Save(what, path.toUtf8().toStdString());
  if (outcome.failure) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), Utf8(*outcome.failure), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("SaveFailure"));
    box.exec();
  } else if (outcome.note) {
    QMessageBox box(QMessageBox::Information, windowTitle(), Utf8(*outcome.note), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PairedDataNote"));
    box.exec();
  }
}

void MainWindow::ShowRatingCurves() {
  if (session_.Empty()) return;
  if (curvesWindow_ == nullptr) {
    curvesWindow_ = new RatingCurvesDialog(this);
    // The curves window saves what the list's menu saves.
    for (QAction* save : saveActions_) curvesWindow_->addAction(save);
    curvesWindow_->setContextMenuPolicy(Qt::ActionsContextMenu);
  }
  curvesWindow_->SetCurves(session_.Curves(), Utf8(session_.CurvesTitle()));
  curvesWindow_->show();
  curvesWindow_->raise();
  curvesWindow_->activateWindow();
}

void MainWindow::ShowRating() {
  list_->clear();
  for (const std::string& line : session_.ListLines()) list_->addItem(Utf8(line));
  const bool rated = !session_.Empty();
  copyAction_->setEnabled(rated);
  showCurvesAction_->setEnabled(rated);
  for (QAction* save : saveActions_) save->setEnabled(rated);
  if (curvesWindow_ == nullptr) return;
  if (rated) {
    curvesWindow_->SetCurves(session_.Curves(), Utf8(session_.CurvesTitle()));
  } else {
    curvesWindow_->close();  // the list and the curves no longer show a rating of these fields
  }
}

void MainWindow::CreateRatingFileClicked() {
  const std::optional<rating::PressFailure> failure = session_.Press(FieldTexts());
  if (!failure || failure->emptiesList) ShowRating();
  if (failure) ShowFailure(*failure);
}

void MainWindow::ShowFailure(const rating::PressFailure& failure) {
  QMessageBox box(QMessageBox::Critical, windowTitle(), Utf8(failure.message), QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("RatingFailure"));
  box.exec();
  if (failure.field) {
    QLineEdit* text = Field(*failure.field);
    text->setFocus();
    text->selectAll();
  }
}
