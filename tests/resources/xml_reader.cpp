#include "xml_reader.h"

#include <cctype>

namespace {

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':' || c == '-' ||
           c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trimmed(const std::string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && IsSpace(s[begin]))
        ++begin;
    while (end > begin && IsSpace(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    XmlDocument Read() {
        if (Starts("<?xml"))
            ReadDeclaration();
        bool root_seen = false;
        while (ok_ && pos_ < text_.size()) {
            if (Starts("<!--")) {
                ReadComment();
            } else if (Starts("</")) {
                ReadEndTag();
            } else if (Starts("<?") || Starts("<!")) {
                Fail("declaration, DTD or CDATA where an element belongs");
            } else if (Starts("<")) {
                if (open_.empty() && root_seen)
                    Fail("a second root element");
                root_seen = true;
                ReadStartTag();
            } else {
                ReadText();
            }
        }
        if (ok_ && !open_.empty())
            Fail("<" + document_.elements[open_.back()].path + "> is never closed");
        if (ok_ && !root_seen)
            Fail("no root element");
        document_.well_formed = ok_;
        return document_;
    }

private:
    bool Starts(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

    void Fail(std::string why) {
        if (ok_)
            document_.error = why + " at offset " + std::to_string(pos_);
        ok_ = false;
    }

    void SkipSpace() {
        while (pos_ < text_.size() && IsSpace(text_[pos_]))
            ++pos_;
    }

    std::string ReadName() {
        size_t begin = pos_;
        while (pos_ < text_.size() && IsNameChar(text_[pos_]))
            ++pos_;
        if (begin == pos_)
            Fail("a name expected");
        return std::string(text_.substr(begin, pos_ - begin));
    }

    void ReadDeclaration() {
        size_t end = text_.find("?>", pos_);
        if (end == std::string_view::npos)
            return Fail("unterminated XML declaration");
        pos_ = end + 2;
    }

    void ReadComment() {
        size_t end = text_.find("-->", pos_ + 4);
        if (end == std::string_view::npos)
            return Fail("unterminated comment");
        pos_ = end + 3;
    }

    void ReadAttributes(std::map<std::string, std::string>& attributes) {
        for (;;) {
            bool spaced = pos_ < text_.size() && IsSpace(text_[pos_]);
            SkipSpace();
            if (pos_ >= text_.size())
                return Fail("unterminated tag");
            if (text_[pos_] == '>' || Starts("/>"))
                return;
            if (!spaced)
                return Fail("attributes must be separated by white space");
            std::string name = ReadName();
            SkipSpace();
            if (!ok_ || pos_ >= text_.size() || text_[pos_] != '=')
                return Fail("'=' expected after attribute " + name);
            ++pos_;
            SkipSpace();
            char quote = pos_ < text_.size() ? text_[pos_] : '\0';
            if (quote != '"' && quote != '\'')
                return Fail("quoted value expected for attribute " + name);
            size_t end = text_.find(quote, pos_ + 1);
            if (end == std::string_view::npos)
                return Fail("unterminated attribute value");
            std::string value(text_.substr(pos_ + 1, end - pos_ - 1));
            if (value.find('<') != std::string::npos)
                return Fail("'<' inside attribute " + name);
            if (!attributes.emplace(name, value).second)
                return Fail("attribute " + name + " given twice");
            pos_ = end + 1;
        }
    }

    void ReadStartTag() {
        ++pos_;
        std::string name = ReadName();
        if (!ok_)
            return;
        XmlElement element;
        element.path = open_.empty() ? name : document_.elements[open_.back()].path + "/" + name;
        ReadAttributes(element.attributes);
        if (!ok_)
            return;
        document_.elements.push_back(std::move(element));
        if (Starts("/>")) {
            pos_ += 2;
        } else {
            ++pos_;
            open_.push_back(document_.elements.size() - 1);
            names_.push_back(name);
        }
    }

    void ReadEndTag() {
        pos_ += 2;
        std::string name = ReadName();
        SkipSpace();
        if (!ok_ || pos_ >= text_.size() || text_[pos_] != '>')
            return Fail("unterminated end tag");
        if (open_.empty() || names_.back() != name)
            return Fail("</" + name + "> closes " + (open_.empty() ? "nothing" : names_.back()));
        ++pos_;
        auto& element = document_.elements[open_.back()];
        element.text = Trimmed(element.text);
        open_.pop_back();
        names_.pop_back();
    }

    void ReadText() {
        size_t end = text_.find('<', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        std::string text(text_.substr(pos_, end - pos_));
        if (open_.empty() && !Trimmed(text).empty())
            return Fail("text outside the root element");
        if (!open_.empty())
            document_.elements[open_.back()].text += text;
        pos_ = end;
    }

    std::string_view text_;
    size_t pos_ = 0;
    bool ok_ = true;
    XmlDocument document_;
    std::vector<size_t> open_; // indexes of the open elements
    std::vector<std::string> names_;
};

} // namespace

XmlDocument ReadXml(std::string_view text) {
    return Reader(text).Read();
}

std::vector<const XmlElement*> FindElements(const XmlDocument& document, std::string_view path) {
    std::vector<const XmlElement*> found;
    for (const auto& element : document.elements)
        if (element.path == path)
            found.push_back(&element);
    return found;
}
