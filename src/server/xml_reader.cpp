#include "xml_reader.h"

#include <string_view>

#include "common/failure.h"
#include "common/text.h"

namespace kestrine::server {
namespace {

// Deep nesting has no use in a request; the limit keeps the recursion small.
constexpr int kMaxDepth = 16;

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool IsNameStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u':' ||
           c >= 0x80;
}

bool IsNameChar(char16_t c) {
    return IsNameStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
}

// A carriage return followed by a line feed, and a lone carriage return, become one LF.
std::u16string NormaliseLineEnds(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            out.push_back(u'\n');
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

class Parser {
  public:
    explicit Parser(std::u16string text) : text_(std::move(text)) {}

    XmlElement Document() {
        if (Peek() == 0xFEFF) {
            ++pos_;
        }
        if (Starts(u"<?xml")) {
            const std::size_t end = text_.find(u"?>", pos_);
            if (end == std::u16string::npos) {
                Fail(u"unterminated XML declaration");
            }
            pos_ = end + 2;
        }
        SkipSpace();
        XmlElement root = Element(0);
        SkipSpace();
        if (pos_ != text_.size()) {
            Fail(u"content after the root element");
        }
        return root;
    }

  private:
    [[noreturn]] void Fail(const std::u16string& reason) const {
        throw Failure(u"malformed request document: " + reason + u" at offset " +
                      ToText(static_cast<std::int64_t>(pos_)));
    }

    char16_t Peek() const { return pos_ < text_.size() ? text_[pos_] : 0; }
    bool Starts(std::u16string_view what) const {
        return std::u16string_view(text_).substr(pos_).starts_with(what);
    }
    void Expect(char16_t c) {
        if (Peek() != c || pos_ >= text_.size()) {
            Fail(u"expected '" + std::u16string(1, c) + u"'");
        }
        ++pos_;
    }
    void SkipSpace() {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) {
            ++pos_;
        }
    }

    std::u16string Name() {
        if (pos_ >= text_.size() || !IsNameStart(text_[pos_])) {
            Fail(u"expected a name");
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsNameChar(text_[pos_])) {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }

    // After the "&": a predefined or numeric entity up to and including ";".
    void Entity(std::u16string& out) {
        const std::size_t end = text_.find(u';', pos_);
        if (end == std::u16string::npos || end - pos_ > 10) {
            Fail(u"unterminated entity");
        }
        const std::u16string_view name = std::u16string_view(text_).substr(pos_, end - pos_);
        pos_ = end + 1;
        if (name == u"quot") {
            out.push_back(u'"');
        } else if (name == u"apos") {
            out.push_back(u'\'');
        } else if (name == u"amp") {
            out.push_back(u'&');
        } else if (name == u"lt") {
            out.push_back(u'<');
        } else if (name == u"gt") {
            out.push_back(u'>');
        } else if (name.size() > 1 && name[0] == u'#') {
            const bool hex = name[1] == u'x';
            const std::u16string_view digits = name.substr(hex ? 2 : 1);
            std::uint32_t value = 0;
            for (const char16_t d : digits) {
                int digit = -1;
                if (d >= u'0' && d <= u'9') {
                    digit = d - u'0';
                } else if (hex && d >= u'a' && d <= u'f') {
                    digit = d - u'a' + 10;
                } else if (hex && d >= u'A' && d <= u'F') {
                    digit = d - u'A' + 10;
                }
                if (digit < 0 || value > 0x10FFFF) {
                    Fail(u"bad character reference");
                }
                value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
            }
            if (digits.empty() || value == 0 || value > 0x10FFFF) {
                Fail(u"bad character reference");
            }
            if (value >= 0x10000) {
                value -= 0x10000;
                out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
            } else {
                out.push_back(static_cast<char16_t>(value));
            }
        } else {
            Fail(u"unknown entity");
        }
    }

    std::u16string AttributeValue() {
        const char16_t quote = Peek();
        if (quote != u'"' && quote != u'\'') {
            Fail(u"expected a quoted attribute value");
        }
        ++pos_;
        std::u16string value;
        while (true) {
            if (pos_ >= text_.size()) {
                Fail(u"unterminated attribute value");
            }
            const char16_t c = text_[pos_++];
            if (c == quote) {
                return value;
            }
            if (c == u'<') {
                Fail(u"'<' in an attribute value");
            }
            if (c == u'&') {
                Entity(value);
            } else {
                value.push_back(c);
            }
        }
    }

    XmlElement Element(int depth) {
        if (depth >= kMaxDepth) {
            Fail(u"elements nested too deeply");
        }
        Expect(u'<');
        XmlElement element;
        element.name = Name();
        while (true) {
            const bool spaced = IsSpace(Peek());
            SkipSpace();
            if (pos_ >= text_.size()) {
                Fail(u"unterminated start tag");
            }
            if (Starts(u"/>")) {
                pos_ += 2;
                return element;
            }
            if (Peek() == u'>') {
                ++pos_;
                break;
            }
            if (!spaced) {
                Fail(u"expected a space before an attribute");
            }
            std::u16string name = Name();
            if (element.Attribute(name) != nullptr) {
                Fail(u"attribute " + name + u" given twice");
            }
            SkipSpace();
            Expect(u'=');
            SkipSpace();
            element.attributes.emplace_back(std::move(name), AttributeValue());
        }
        while (true) {
            if (pos_ >= text_.size()) {
                Fail(u"element " + element.name + u" is not closed");
            }
            const char16_t c = text_[pos_];
            if (c == u'&') {
                ++pos_;
                Entity(element.text);
            } else if (c != u'<') {
                element.text.push_back(c);
                ++pos_;
            } else if (Starts(u"</")) {
                pos_ += 2;
                if (Name() != element.name) {
                    Fail(u"mismatched end tag of " + element.name);
                }
                SkipSpace();
                Expect(u'>');
                return element;
            } else if (Starts(u"<!") || Starts(u"<?")) {
                Fail(u"comments, declarations and processing instructions are not accepted");
            } else {
                element.children.push_back(Element(depth + 1));
            }
        }
    }

    std::u16string text_;
    std::size_t pos_ = 0;
};

}  // namespace

const std::u16string* XmlElement::Attribute(std::u16string_view attributeName) const {
    for (const auto& [key, value] : attributes) {
        if (key == attributeName) {
            return &value;
        }
    }
    return nullptr;
}

const XmlElement* XmlElement::Child(std::u16string_view childName) const {
    for (const XmlElement& child : children) {
        if (child.name == childName) {
            return &child;
        }
    }
    return nullptr;
}

XmlElement ParseXml(std::span<const std::uint8_t> document) {
    const std::string_view bytes(reinterpret_cast<const char*>(document.data()), document.size());
    return Parser(NormaliseLineEnds(Utf8ToUtf16(bytes))).Document();
}

}  // namespace kestrine::server
