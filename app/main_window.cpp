#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

#include "app/rating_curves_dialog.h"
#include "app/routing_window.h"
#include "app/section_window.h"
#include "layout/form_layout.h"
#include "messages/messages.h"
#include "output/listing.h"
#include "platform/platform.h"

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

// Fills `box` with `choices` and puts it at `place`, under its label.
template <typename Facts, std::size_t N>
void PlaceChoice(QComboBox& box, const layout::FieldPlace& place, const std::array<Facts, N>& choices) {
  for (const Facts& facts : choices) box.addItem(Caption(facts.label));
  box.setObjectName(Latin1(place.widgetName));
  box.setGeometry(FromTwips(layout::FieldRect(place)));
  box.setAccessibleName(Utf8(rating::FieldLabel(place.field)));
  auto* label = new QLabel(Utf8(layout::WithAccessKey(rating::FieldLabel(place.field), place.accessKey)),
                           box.parentWidget());
  label->setObjectName(Latin1(place.labelName));
  label->setBuddy(&box);
  label->setGeometry(FromTwips(layout::LabelRect(place)));
}

// Puts `caption` on the label of `field`, its buddy, with the label's access
// key kept; a screen reader names the field by it.
void Relabel(QWidget* field, const std::string& caption) {
  if (field == nullptr || caption.empty()) return;
  field->setAccessibleName(Utf8(caption));
  for (QLabel* label : field->window()->findChildren<QLabel*>()) {
    if (label->buddy() != field) continue;
    const QString old = label->text();
    const qsizetype marked = old.indexOf(QLatin1Char('&'));
    const char key = marked >= 0 && marked + 1 < old.size() ? old.at(marked + 1).toLatin1() : '\0';
    label->setText(Utf8(key == '\0' ? caption : layout::WithAccessKey(caption, key)));
    label->adjustSize();
  }
}

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

MainWindow::MainWindow(rating::UnitSystem units, QWidget* parent)
    : QWidget(parent),
      list_(new RatingList(this)),
      createButton_(
          new QPushButton(Utf8(layout::WithAccessKey(rating::Pattern(rating::Message::CaptionButton),
                                                     layout::kButtonAccessKey)),
                          this)),
      browseButton_(
          new QPushButton(Utf8(layout::WithAccessKey(rating::Pattern(rating::Message::CaptionBrowse),
                                                     layout::kBrowseAccessKey)),
                          this)),
      statusLine_(new QLabel(this)),
      shape_(new QComboBox(this)),
      units_(new QComboBox(this)),
      controller_(*this, *this, *this, rating::platform::UserDecimalSeparator()),
      chooseSaveName_(
          [](QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) {
            return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
          }),
      chooseOpenName_(
          [](QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) {
            return QFileDialog::getOpenFileName(parent, caption, suggested, filter);
          }) {
  setObjectName(Latin1(layout::kWindowName));
  setWindowTitle(Utf8(rating::Pattern(rating::Message::CaptionWindow)));
  setWindowIcon(ProgramIcon());
  resize(layout::kClientWidth / kTwipsPerPixel, layout::kClientHeightWithStatus / kTwipsPerPixel);
  QFont dialogFont = font();
  dialogFont.setPointSizeF(layout::kDialogFontPoints);
  setFont(dialogFont);

  statusLine_->setObjectName(Latin1(layout::kStatusLineName));
  statusLine_->setGeometry(FromTwips(layout::kStatusLine));
  statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);  // the path may be copied
  statusLine_->setFocusPolicy(Qt::NoFocus);                         // and Tab passes it by

  createButton_->setObjectName(Latin1(layout::kButtonName));
  createButton_->setGeometry(FromTwips(layout::kButton));
  browseButton_->setObjectName(Latin1(layout::kBrowseButtonName));
  browseButton_->setGeometry(FromTwips(layout::kBrowseButton));
  connect(browseButton_, &QPushButton::clicked, this, [this] {
    controller_.BrowseRatingFile(Field(InputField::Filename)->text().toUtf8().toStdString());
  });
  connect(createButton_, &QPushButton::clicked, this, [this] { controller_.Press(FieldTexts()); });

  list_->setObjectName(Latin1(layout::kListName));
  list_->setAccessibleName(Caption(rating::Message::CaptionListName));
  list_->setFont(ListFont());
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->installEventFilter(this);  // Ctrl+C copies the table, not one line
  for (const rating::CommandFacts& command : rating::kRatingCommands) {
    auto* action = new QAction(Caption(command.caption), this);
    action->setObjectName(Latin1(command.name));
    action->setEnabled(false);  // until the list holds rows
    connect(action, &QAction::triggered, this,
            [this, chosen = command.command] { controller_.Choose(chosen); });
    commands_.at(static_cast<std::size_t>(command.command)) = action;
    list_->addAction(action);
  }
  QAction* copy = commands_.at(static_cast<std::size_t>(rating::RatingCommand::CopyTable));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  copy->setShortcutVisibleInContextMenu(true);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);

  // The Section choice comes first in tab order, then a circle's diameter
  // beside it, then the fields.
  PlaceChoice(*shape_, layout::kShapePlace, rating::kSectionShapes);
  connect(shape_, &QComboBox::activated, this, [this](int index) {
    controller_.ChooseShape(rating::kSectionShapes.at(static_cast<std::size_t>(index)).shape);
  });
  PlaceChoice(*units_, layout::kUnitsPlace, rating::kUnitSystems);
  connect(units_, &QComboBox::activated, this, [this](int index) {
    controller_.ChooseUnits(rating::kUnitSystems.at(static_cast<std::size_t>(index)).system);
  });
  QWidget* previous = shape_;
  setTabOrder(createButton_, list_);
  setTabOrder(list_, shape_);
  int labelsRight = 0;  // pixels
  std::array<layout::FieldPlace, layout::kFieldPlaces.size() + 1> places{};
  places.front() = layout::kDiameterPlace;
  std::copy(layout::kFieldPlaces.begin(), layout::kFieldPlaces.end(), places.begin() + 1);
  for (const layout::FieldPlace& place : places) {
    const QString caption = Utf8(rating::FieldLabel(place.field));
    auto* text = new QLineEdit(Utf8(controller_.Session().DefaultText(place.field)), this);
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
    connect(text, &QLineEdit::returnPressed, this, [this] { controller_.Press(FieldTexts()); });
    fields_.at(static_cast<std::size_t>(place.field)) = text;
    setTabOrder(previous, text);
    previous = text;
  }
  setTabOrder(previous, browseButton_);  // after the file name it chooses
  list_->setGeometry(FromTwips(layout::ListClearOf((labelsRight + 1) * kTwipsPerPixel)));
  // The window grows, never shrinks below its design: the list and the
  // status line take what it gains, the fields keep their places.
  // The places are known only once the labels are measured, above.
  designedSize_ = size();
  designedList_ = list_->geometry();          // NOLINT(cppcoreguidelines-prefer-member-initializer)
  designedStatus_ = statusLine_->geometry();  // NOLINT(cppcoreguidelines-prefer-member-initializer)
  setMinimumSize(designedSize_);
  createButton_->setFocus();
  setTabOrder(Field(InputField::Diameter), units_);
  setTabOrder(units_, Field(InputField::BottomWidth));
  // The trapezoid, chosen at the start, uses no diameter.
  Field(InputField::Diameter)->setEnabled(false);
  units_->setCurrentIndex(static_cast<int>(units));
  controller_.ChooseUnits(units);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int wider = std::max(0, width() - designedSize_.width());
  const int taller = std::max(0, height() - designedSize_.height());
  list_->setGeometry(designedList_.adjusted(0, 0, wider, taller));
  statusLine_->setGeometry(designedStatus_.translated(0, taller).adjusted(0, 0, wider, 0));
}

QLineEdit* MainWindow::Field(InputField field) const {
  QLineEdit* text = fields_.at(static_cast<std::size_t>(field));
  return text == nullptr && sectionWindow_ != nullptr ? sectionWindow_->Field(field) : text;
}

rating::FieldTexts MainWindow::FieldTexts() const {
  rating::FieldTexts texts = controller_.Session().DefaultTexts();
  for (const rating::FieldFacts& facts : rating::kFields) {
    if (const QLineEdit* text = Field(facts.field)) {
      rating::TextOf(texts, facts.field) = text->text().toUtf8().toStdString();
    }
  }
  rating::TextOf(texts, InputField::Shape) =
      rating::kSectionShapes.at(static_cast<std::size_t>(shape_->currentIndex())).word;
  rating::TextOf(texts, InputField::Units) =
      rating::kUnitSystems.at(static_cast<std::size_t>(units_->currentIndex())).word;
  return texts;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto* key = dynamic_cast<const QKeyEvent*>(event);
  if (watched == list_ && event->type() == QEvent::KeyPress && key != nullptr &&
      key->matches(QKeySequence::Copy)) {
    controller_.Choose(rating::RatingCommand::CopyTable);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::ShowTable(std::span<const std::string> headings, std::span<const std::string> rows) {
  // The headings stand above the rows; the list holds the rows alone.
  list_->clear();
  for (const std::string& row : rows) list_->addItem(Utf8(row));
  QStringList lines;
  for (const std::string& heading : headings) lines << Utf8(heading);
  list_->ShowHeadings(lines.join(QLatin1Char('\n')));
}

std::vector<int> MainWindow::SelectedRows() const {
  std::vector<int> selected;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) selected.push_back(index.row());
  return selected;
}

void MainWindow::EnableRatingCommands(bool enabled) {
  for (QAction* command : commands_) command->setEnabled(enabled);
}

bool MainWindow::CurvesOpen() const { return curvesWindow_ != nullptr && curvesWindow_->isVisible(); }

void MainWindow::OpenCurves(const rating::plot::RatingCurves& curves, const std::string& title) {
  if (!CurvesOpen()) {
    curvesWindow_ = new RatingCurvesDialog(this);
    // The curves window saves what the list's menu saves, and routes a flood.
    for (const rating::CommandFacts& command : rating::kRatingCommands) {
      if (command.inCurvesWindow) {
        curvesWindow_->addAction(commands_.at(static_cast<std::size_t>(command.command)));
      }
    }
    curvesWindow_->setContextMenuPolicy(Qt::ActionsContextMenu);
    PlaceBeside(*curvesWindow_, *this);
  }
  curvesWindow_->SetCurves(curves, Utf8(title));
  curvesWindow_->show();
  curvesWindow_->raise();
  curvesWindow_->activateWindow();
}

void MainWindow::RedrawCurves(const rating::plot::RatingCurves& curves, const std::string& title) {
  curvesWindow_->SetCurves(curves, Utf8(title));
}

void MainWindow::CloseCurves() { curvesWindow_->close(); }

void MainWindow::ShowBox(QMessageBox::Icon icon, const std::string& text, const QString& name) {
  QMessageBox box(icon, windowTitle(), Utf8(text), QMessageBox::Ok, this);
  box.setObjectName(name);
  box.exec();
}

void MainWindow::ShowFailure(const std::string& message, std::optional<InputField> field) {
  ShowBox(QMessageBox::Critical, message, QStringLiteral("RatingFailure"));
  if (field == InputField::Shape) {
    shape_->setFocus();
  } else if (QLineEdit* text = field ? Field(*field) : nullptr) {
    // A field of the Section window brings it back where it was closed.
    text->window()->show();
    text->window()->activateWindow();
    text->setFocus();
    text->selectAll();
  }
}

void MainWindow::ShowSaveFailure(const std::string& message) {
  ShowBox(QMessageBox::Critical, message, QStringLiteral("SaveFailure"));
}

void MainWindow::ShowNote(const std::string& note) {
  ShowBox(QMessageBox::Information, note, QStringLiteral("PairedDataNote"));
}

void MainWindow::ShowStatus(const std::string& status) {
  statusLine_->setText(Utf8(status));
  statusLine_->setToolTip(statusLine_->text());  // whole, where the line cuts a long path
}

void MainWindow::ShowRatingFileName(const std::string& name) {
  Field(InputField::Filename)->setText(Utf8(name));
}

void MainWindow::PutOnClipboard(const std::string& text) { QApplication::clipboard()->setText(Utf8(text)); }

std::optional<std::string> MainWindow::AskSaveName(const rating::SaveQuestion& question) {
  const QString filter = Utf8(question.fileType) + QStringLiteral(";;") + Utf8(question.allFiles);
  const QString path = chooseSaveName_(this, Utf8(question.title), Utf8(question.suggested), filter);
  if (path.isEmpty()) return std::nullopt;
  return path.toUtf8().toStdString();
}

std::optional<std::string> MainWindow::AskOpenName(const rating::SaveQuestion& question) {
  const QString filter = Utf8(question.fileType) + QStringLiteral(";;") + Utf8(question.allFiles);
  const QString path = chooseOpenName_(this, Utf8(question.title), Utf8(question.suggested), filter);
  if (path.isEmpty()) return std::nullopt;
  return path.toUtf8().toStdString();
}

RoutingWindow* MainWindow::Routing() const { return routingWindow_; }

bool MainWindow::RoutingOpen() const { return routingWindow_ != nullptr && routingWindow_->isVisible(); }

void MainWindow::OpenRouting(const std::string& title) {
  if (!RoutingOpen()) {
    routingWindow_ = new RoutingWindow(this, controller_);
    routingWindow_->adjustSize();
    PlaceBeside(*routingWindow_, *this);
  }
  routingWindow_->setWindowTitle(Utf8(title));
  routingWindow_->show();
  routingWindow_->raise();
  routingWindow_->activateWindow();
}

rating::RoutingTexts MainWindow::RoutingFields() const { return routingWindow_->Fields(); }

void MainWindow::ShowRoutingFields(const rating::RoutingTexts& texts, const std::string& suggestion) {
  routingWindow_->ShowFields(texts, suggestion);
}

void MainWindow::ShowInflow(const std::string& description) { routingWindow_->ShowInflow(description); }

void MainWindow::ShowRouted(const rating::plot::HydrographChart& chart, const std::string& summary) {
  routingWindow_->ShowRouted(chart, summary);
}

void MainWindow::ShowRoutingProblem(const std::string& message) { routingWindow_->ShowProblem(message); }

void MainWindow::EnableRoutingCommands(bool enabled) { routingWindow_->EnableCommands(enabled); }

void MainWindow::EnableField(InputField field, bool enabled) {
  if (QLineEdit* text = fields_.at(static_cast<std::size_t>(field))) text->setEnabled(enabled);
}

void MainWindow::ShowFieldLabel(InputField field, const std::string& label) { Relabel(Field(field), label); }

void MainWindow::ShowSettingLabel(rating::RoutingSetting setting, const std::string& label) {
  if (routingWindow_ != nullptr) Relabel(routingWindow_->SettingField(setting), label);
}

SectionWindow* MainWindow::Section() const { return sectionWindow_; }

bool MainWindow::SectionOpen() const { return sectionWindow_ != nullptr && sectionWindow_->isVisible(); }

void MainWindow::OpenSection(const std::string& title) {
  if (sectionWindow_ == nullptr) {
    sectionWindow_ = new SectionWindow(this, controller_);
    sectionWindow_->adjustSize();
    PlaceBeside(*sectionWindow_, *this);
  }
  sectionWindow_->setWindowTitle(Utf8(title));
  sectionWindow_->show();
  sectionWindow_->raise();
  sectionWindow_->activateWindow();
}

void MainWindow::ShowSection(const rating::plot::CrossSectionChart& chart, const std::string& summary) {
  sectionWindow_->ShowSection(chart, summary);
}

void MainWindow::ShowSectionProblem(const std::string& message) { sectionWindow_->ShowProblem(message); }
