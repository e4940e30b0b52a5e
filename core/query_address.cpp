#include "core/query_address.h"

#include "core/category.h"
#include "core/text_util.h"

namespace sorvane {

std::string EncodeQuery(std::string_view words, int queryType) {
  switch (queryType) {
    case AllWords: {
      std::string quoted(1, '"');
      quoted += ReplaceByte(words, ' ', '+');
      quoted += '"';
      return quoted;
    }
    case EntirePhrase:
      return ReplaceByte(words, ' ', '+');
    default:
      return std::string(words);
  }
}

std::string RewriteWordsForCategory(std::string_view categoryName, std::string_view words) {
  if (categoryName != kEmailCategory) return std::string(words);
  const std::size_t space = words.find(' ');
  std::string rewritten;
  if (space == std::string_view::npos) {
    rewritten.append("&L=").append(words);
  } else {
    rewritten.append("&F=").append(words.substr(0, space)).append("&L=").append(words.substr(space + 1));
  }
  return rewritten;
}

AddressTemplate FirstPageTemplate(const SearchEngine& engine, std::string_view encodedQuery) {
  AddressTemplate first;
  first.AppendPattern(engine.url).AppendPattern(engine.prefix);
  first.AppendLiteral(encodedQuery).AppendPattern(engine.suffix);
  return first;
}

std::string BuildRequestAddress(const SearchEngine& engine, std::string_view encodedQuery) {
  const AddressTemplate first = FirstPageTemplate(engine, encodedQuery);
  switch (engine.searchType) {
    case MultiplePages:
      return first.Format(AddressTemplate::Arguments::Number(1)).Text();
    case ResultCount:
      return first.Format(AddressTemplate::Arguments::Number(kHitLimit)).Text();
    case StartIndex:
      return first.Format(AddressTemplate::Arguments::Number(0)).Text();
    default:  // SinglePage and unknown types: no placeholder processing at all
      return first.Text();
  }
}

std::string BuildNextPageAddress(const SearchEngine& engine, std::string_view encodedQuery,
                                 const AddressTemplate& firstTemplate, std::string_view server,
                                 int total) {
  switch (engine.searchType) {
    case MultiplePages: {
      AddressTemplate next;
      next.AppendPattern(server).AppendPattern(engine.nextPageCommand);
      // The query goes in first, so a command wanting both writes its number as
      // "%%d", which this pass turns into the "%d" of the next.
      if (next.PatternContains("%s")) next = next.Format(AddressTemplate::Arguments::Text(encodedQuery));
      return next.Format(AddressTemplate::Arguments::Number(total)).Text();
    }
    case StartIndex:
      return firstTemplate.Format(AddressTemplate::Arguments::Number(total)).Text();
    case SinglePage: {
      AddressTemplate next;
      next.AppendPattern(engine.url).AppendPattern(engine.nextPageCommand);
      return next.Format(AddressTemplate::Arguments::TextAndNumber(encodedQuery, static_cast<long long>(total) + 1)).Text();
    }
    default:  // ResultCount never pages; unknown types ask for the same page again
      return firstTemplate.Text();
  }
}

}  // namespace sorvane
