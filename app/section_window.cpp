#include "app/section_window.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "plot/qt/scene_painter.h"

namespace {

namespace layout = rating::layout;

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Name(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

constexpr int kPictureMinimumWidth = 560;   // px
constexpr int kPictureMinimumHeight = 300;  // px

}  // namespace

CrossSectionView::CrossSectionView(QWidget* parent) : QWidget(parent) {
  setObjectName(Name(layout::kSectionPictureName));
  setMinimumSize(kPictureMinimumWidth, kPictureMinimumHeight);
}

void CrossSectionView::SetChart(const rating::plot::CrossSectionChart& chart) {
  scene_ = rating::plot::CrossSectionScene(chart, rating::plot::QtTextMeasure(font()));
  update();
}

void CrossSectionView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  rating::plot::PaintScene(painter, rect(), scene_, rating::plot::QtTextMeasure(font()));
}

SectionWindow::SectionWindow(QWidget* parent, rating::RatingController& controller)
    : QDialog(parent),
      controller_(controller),
      read_(new QLabel(this)),
      picture_(new CrossSectionView(this)) {
  setObjectName(QStringLiteral("Section"));
  setModal(false);
  setWindowTitle(Utf8(rating::Pattern(rating::Message::CaptionSectionWindow)));

  // The points: pasted anywhere in the window, or opened from a file.
  auto* pasteLabel = new QLabel(Utf8(rating::Pattern(rating::Message::CaptionSectionPaste)), this);
  auto* open =
      new QPushButton(Utf8(layout::WithAccessKey(rating::Pattern(rating::Message::CaptionOpenSection),
                                                 layout::kOpenSectionAccessKey)),
                      this);
  open->setObjectName(Name(layout::kOpenSectionName));
  open->setAutoDefault(false);
  connect(open, &QPushButton::clicked, this, [this] { controller_.OpenSection(); });
  auto* paste = new QShortcut(QKeySequence::Paste, this);
  connect(paste, &QShortcut::activated, this,
          [this] { controller_.SetSection(QApplication::clipboard()->text().toUtf8().toStdString()); });
  auto* pointsRow = new QHBoxLayout;
  pointsRow->addWidget(pasteLabel);
  pointsRow->addWidget(open);
  pointsRow->addStretch();

  // The banks and the overbanks' n, each labelled, with Alt and its letter.
  auto* fields = new QGridLayout;
  for (std::size_t k = 0; k < layout::kSectionFieldPlaces.size(); ++k) {
    const layout::SectionFieldPlace& place = layout::kSectionFieldPlaces.at(k);
    auto* field = new QLineEdit(this);
    field->setObjectName(Name(place.name));
    field->setAccessibleName(Utf8(rating::FieldLabel(place.field)));
    auto* label =
        new QLabel(Utf8(layout::WithAccessKey(rating::FieldLabel(place.field), place.accessKey)), this);
    label->setBuddy(field);
    const int column = static_cast<int>(k);
    fields->addWidget(label, 0, column);
    fields->addWidget(field, 1, column);
    fields_.at(k) = field;
  }

  read_->setObjectName(Name(layout::kSectionReadName));
  read_->setWordWrap(true);
  read_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* whole = new QVBoxLayout(this);
  whole->addLayout(pointsRow);
  whole->addLayout(fields);
  whole->addWidget(picture_, 1);
  whole->addWidget(read_);
}

QLineEdit* SectionWindow::Field(rating::InputField field) const {
  for (std::size_t k = 0; k < layout::kSectionFieldPlaces.size(); ++k) {
    if (layout::kSectionFieldPlaces.at(k).field == field) return fields_.at(k);
  }
  return nullptr;
}

void SectionWindow::ShowSection(const rating::plot::CrossSectionChart& chart, const std::string& summary) {
  picture_->SetChart(chart);
  read_->setText(Utf8(summary));
  picture_->setAccessibleName(Utf8(rating::Pattern(rating::Message::CaptionSectionWindow)));
  picture_->setAccessibleDescription(read_->text());
}

void SectionWindow::ShowProblem(const std::string& message) {
  picture_->SetChart({});
  picture_->setAccessibleDescription(Utf8(message));
  read_->setText(Utf8(message));
}
