#pragma once

#include <string_view>

namespace sorvane::res {

// String-table entry 57344: the application's name, the caption of message
// boxes that have none of their own.
inline constexpr std::string_view kAppTitle = "sorvane";

// String-table entry 128, the document type: seven parts separated by "\n".
inline constexpr std::string_view kDocumentType =
    "Sorvane\n\nSorvan\nSorvane Files (*.htm)\n.htm\nSorvane.Document\nSorvan Document";

enum class DocumentPart {
  WindowTitle = 0,
  DocumentName,
  NewFileName,
  FilterName,
  FilterExtension,
  FileTypeId,
  FileTypeName,
};

// One part of the document type string; empty when missing.
std::string_view DocumentTypePart(DocumentPart part);

}  // namespace sorvane::res
