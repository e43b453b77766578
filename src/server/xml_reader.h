#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kestrine::server {

// One element of a request document: attributes in document order, child elements, and
// the element's own text (entities resolved, line ends normalised to LF).
struct XmlElement {
    std::u16string name;
    std::vector<std::pair<std::u16string, std::u16string>> attributes;
    std::vector<XmlElement> children;
    std::u16string text;

    const std::u16string* Attribute(std::u16string_view attributeName) const;
    const XmlElement* Child(std::u16string_view childName) const;
};

// A small, strict reader for the request documents: UTF-8, an optional XML declaration,
// elements, attributes, text and the five predefined and numeric character entities.
// Comments, processing instructions other than the declaration, DOCTYPE and CDATA are
// refused. Throws Failure with the reason.
XmlElement ParseXml(std::span<const std::uint8_t> document);

}  // namespace kestrine::server
