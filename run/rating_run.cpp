#include "run/rating_run.h"

#include "engine/channel_parameters.h"
#include "engine/failure.h"
#include "engine/rating_table.h"
#include "output/listing.h"
#include "output/rating_file.h"

namespace rating {

RatingResult CreateRatingFile(RatingForm& form, std::vector<SafeFile>* pending) {
  const std::string separator = form.DecimalSeparator();
  // A braced list is evaluated left to right, so the fields are read in order.
  const ChannelParameters channel =
      ReadChannelParameters({form.FieldText(InputField::MaxFlow), form.FieldText(InputField::BottomWidth),
                             form.FieldText(InputField::BankSlope), form.FieldText(InputField::Fall),
                             form.FieldText(InputField::Length), form.FieldText(InputField::Roughness),
                             form.FieldText(InputField::Invert), form.FieldText(InputField::Increment)},
                            separator);
  RatingResult result{channel, CreateRatingTable(channel), {}, {}};
  RatingTable& table = result.table;

  form.ClearList();
  RatingFileWriter file(separator);
  file.Open(RequireOneLine(form.FieldText(InputField::Filename), InputField::Filename));
  file.WriteTitle(RequireOneLine(form.FieldText(InputField::Title), InputField::Title));
  // Read one after another: the order of function arguments is unspecified.
  const std::string width = form.FieldText(InputField::BottomWidth);
  const std::string bank = form.FieldText(InputField::BankSlope);
  const std::string fall = form.FieldText(InputField::Fall);
  const std::string length = form.FieldText(InputField::Length);
  const std::string n = form.FieldText(InputField::Roughness);
  file.WriteParameters(width, bank, fall, length, n);

  ComputeRatingTable(channel, table);

  try {
    for (const std::string_view heading : kListingHeadings) form.AddListLine(std::string(heading));
    for (int j = 0; j <= table.lastRow; ++j) {
      const RatingFileRow& fileRow = result.fileRows.emplace_back(RatingFileRowOf(table, j));
      file.WriteRow(fileRow);
      const ListingRow& listed = result.listingRows.emplace_back(ListingRowOf(fileRow, table.area[j], j));
      form.AddListLine(FormatListingRow(listed, separator));
    }
    if (pending != nullptr) {
      file.CloseInto(*pending);
    } else {
      file.Close();
    }
  } catch (const RatingFailure&) {
    form.ClearList();  // no rows listed for a file that was not written
    throw;
  }
  return result;
}

}  // namespace rating
