#include "core/opensearch_description.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <memory>

#include "core/text_util.h"

namespace sorvane {

namespace {

struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
struct XmlTextDeleter {
  void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlText = std::unique_ptr<xmlChar, XmlTextDeleter>;

std::string_view NameOf(const xmlNode* node) { return reinterpret_cast<const char*>(node->name); }

std::string Attribute(xmlNode* node, const char* name) {
  const XmlText value(xmlGetNoNsProp(node, reinterpret_cast<const xmlChar*>(name)));
  return value ? std::string(reinterpret_cast<const char*>(value.get())) : std::string();
}

std::string Trimmed(std::string text) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && space(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && space(text[start])) ++start;
  return text.substr(start);
}

std::string TextOf(xmlNode* node) {
  const XmlText value(xmlNodeGetContent(node));
  return value ? Trimmed(reinterpret_cast<const char*>(value.get())) : std::string();
}

// A result page Sorvane can read: HTML (or XHTML), asked for with GET, and the
// results themselves rather than suggestions or a description of the site.
bool IsHtmlResultsUrl(xmlNode* url) {
  const std::string type = ToUpperAscii(Attribute(url, "type"));
  if (!type.starts_with("TEXT/HTML") && !type.starts_with("APPLICATION/XHTML+XML")) return false;
  const std::string method = Attribute(url, "method");
  if (!method.empty() && !EqualsIgnoringAsciiCase(method, "get")) return false;
  const std::string rel = Attribute(url, "rel");
  return rel.empty() || EqualsIgnoringAsciiCase(rel, "results");
}

// The parser's own messages would go to standard error; the reader says what
// went wrong in its own words instead.
void IgnoreXmlMessage(void*, const char*, ...) {}
void IgnoreXmlError(void*, xmlErrorPtr) {}

}  // namespace

void InitXmlLibrary() { xmlInitParser(); }

std::optional<OpenSearchDescription> ReadOpenSearchDescription(std::string_view xml, std::string& error) {
  if (xml.size() > kMaxOpenSearchBytes) {
    error = "the description is larger than 1 MiB";
    return std::nullopt;
  }
  // A description has no use for a document type; refusing one keeps entity
  // declarations, and what they can expand to, out of the parse altogether.
  if (xml.find("<!DOCTYPE") != std::string_view::npos || xml.find("<!ENTITY") != std::string_view::npos) {
    error = "the description declares a document type, which an OpenSearch file never needs";
    return std::nullopt;
  }
  InitXmlLibrary();
  // The handlers belong to the calling thread.
  xmlSetGenericErrorFunc(nullptr, IgnoreXmlMessage);
  xmlSetStructuredErrorFunc(nullptr, IgnoreXmlError);
  constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
  const std::unique_ptr<xmlDoc, DocumentDeleter> document(
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "opensearch.xml", nullptr, kOptions));
  if (!document) {
    error = "the description is not well-formed XML";
    return std::nullopt;
  }
  xmlNode* root = xmlDocGetRootElement(document.get());
  if (root == nullptr || NameOf(root) != "OpenSearchDescription") {
    error = "the file is not an OpenSearch description";
    return std::nullopt;
  }
  OpenSearchDescription description;
  for (xmlNode* child = root->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    if (NameOf(child) == "ShortName" && description.shortName.empty()) {
      description.shortName = TextOf(child);
    } else if (NameOf(child) == "Url" && description.htmlTemplate.empty() && IsHtmlResultsUrl(child)) {
      description.htmlTemplate = Trimmed(Attribute(child, "template"));
    }
  }
  if (description.htmlTemplate.empty()) {
    error = "the description has no address template for result pages in HTML";
    return std::nullopt;
  }
  if (description.htmlTemplate.find("{searchTerms}") == std::string::npos) {
    error = "the address template has no place for the words ({searchTerms})";
    return std::nullopt;
  }
  // Engine records are lines of text: line breaks in a name cannot be stored.
  for (char& c : description.shortName) {
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  }
  return description;
}

}  // namespace sorvane
