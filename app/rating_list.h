#pragma once

#include <QLabel>
#include <QListWidget>
#include <QString>

// The rating list: the listing's rows, under its two heading lines, which
// stand above the scrolled rows, so that they stay in view and cannot be
// selected.
class RatingList : public QListWidget {
 public:
  explicit RatingList(QWidget* parent);

  // The heading lines, one under the other; empty while the list is.
  void ShowHeadings(const QString& headings);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Keeps room for the headings above the rows, at the list's font.
  void PlaceHeadings();

  QLabel* headings_;
};
