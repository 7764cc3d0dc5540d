#include "app/rating_list.h"

#include <QEvent>
#include <QResizeEvent>
#include <QStyle>

#include "output/listing.h"

RatingList::RatingList(QWidget* parent) : QListWidget(parent), headings_(new QLabel(this)) {
  headings_->setObjectName(QStringLiteral("listHeadings"));
  headings_->setTextFormat(Qt::PlainText);
  headings_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceHeadings();
}

void RatingList::ShowHeadings(const QString& headings) { headings_->setText(headings); }

void RatingList::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  PlaceHeadings();
}

void RatingList::changeEvent(QEvent* event) {
  QListWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) PlaceHeadings();
}

void RatingList::PlaceHeadings() {
  const int height = static_cast<int>(rating::kListingHeadings.size()) * fontMetrics().lineSpacing();
  setViewportMargins(0, height, 0, 0);
  // Each heading starts where the rows' text starts, its columns over theirs.
  const int indent = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  headings_->setContentsMargins(indent, 0, 0, 0);
  headings_->setGeometry(frameWidth(), frameWidth(), viewport()->width(), height);
}
