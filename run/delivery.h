#pragma once

#include <optional>
#include <string>

#include "engine/failure.h"
#include "engine/input_field.h"
#include "messages/messages.h"
#include "run/rating_session.h"
#include "run/rating_view.h"

namespace rating {

// How the files a user asks for reach them: a desktop window writes each
// where the user says, a page hands each over as a browser downloads it.
// The controller asks its delivery and never which kind of view it draws on.
class Delivery {
 public:
  Delivery() = default;
  Delivery(const Delivery&) = delete;
  Delivery& operator=(const Delivery&) = delete;
  Delivery(Delivery&&) = delete;
  Delivery& operator=(Delivery&&) = delete;
  virtual ~Delivery() = default;

  // "Create Rating File" with `texts`: rates them and delivers the rating
  // file. The failure, if any.
  [[nodiscard]] virtual std::optional<RatingFailure> Press(const FieldTexts& texts) = 0;
  // Says what the user should know of the press just made, once the list
  // shows it: where the file went and the replaced zeros, or, after a
  // failure, no longer where an earlier file went.
  virtual void TellPressed(bool failed) = 0;
  // Delivers an export of the rating the list shows.
  virtual void DeliverExport(Export what) = 0;
  // Delivers a routed flood's file: `bytes`, suggested as `suggested`
  // (absolute), asked for by `caption`, of `fileType` with `pattern`; a
  // failed write is told under `kind`.
  virtual void DeliverFile(const std::string& bytes, const std::string& suggested, Message caption,
                           Message fileType, std::string_view pattern, Message kind) = 0;
  // `table` has gone on the clipboard.
  virtual void Copied(const std::string& table) = 0;
  // "Browse…" beside Output Rating Filename, typed as `typed`.
  virtual void BrowseRatingFile(const std::string& typed) = 0;
  // The table file to open, an inflow or a section, asked under `caption`
  // ("Open Hydrograph…"); nothing where the user cancels, or where the
  // front end reads the chosen file itself.
  [[nodiscard]] virtual std::optional<std::string> AskTableName(Message caption) = 0;
};

// A desktop window's delivery: a press writes the rating file, a save asks
// where.
class SavingDelivery final : public Delivery {
 public:
  SavingDelivery(FileSavingView& view, RatingSession& session) : view_(view), session_(session) {}

  std::optional<RatingFailure> Press(const FieldTexts& texts) override;
  void TellPressed(bool failed) override;
  void DeliverExport(Export what) override;
  void DeliverFile(const std::string& bytes, const std::string& suggested, Message caption, Message fileType,
                   std::string_view pattern, Message kind) override;
  void Copied(const std::string& table) override;
  void BrowseRatingFile(const std::string& typed) override;
  std::optional<std::string> AskTableName(Message caption) override;

 private:
  FileSavingView& view_;
  RatingSession& session_;
};

// A page's delivery: a press and a save hand the file over to the view,
// and say where it went, which a user cannot see.
class HandingOverDelivery final : public Delivery {
 public:
  HandingOverDelivery(HandingOverView& view, RatingSession& session) : view_(view), session_(session) {}

  std::optional<RatingFailure> Press(const FieldTexts& texts) override;
  void TellPressed(bool failed) override;
  void DeliverExport(Export what) override;
  void DeliverFile(const std::string& bytes, const std::string& suggested, Message caption, Message fileType,
                   std::string_view pattern, Message kind) override;
  void Copied(const std::string& table) override;
  void BrowseRatingFile(const std::string& typed) override;
  std::optional<std::string> AskTableName(Message caption) override;

 private:
  // Hands `file` over and says where it went, with its note.
  void HandOver(const Download& file);

  HandingOverView& view_;
  RatingSession& session_;
};

// A command's caption without its closing "…": the title of the dialog it
// opens, or the command where no dialog follows (a page's download).
std::string WithoutEllipsis(Message caption);

}  // namespace rating
