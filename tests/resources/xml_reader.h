#pragma once
// A small XML reader for checking the embedded manifest: enough of XML to say whether a
// document is well-formed and to list its elements by path. No DTD, no CDATA.

#include <map>
#include <string>
#include <string_view>
#include <vector>

struct XmlElement {
    std::string path; // names from the root down, joined by '/'
    std::map<std::string, std::string> attributes;
    std::string text; // the character data directly inside, trimmed
};

struct XmlDocument {
    bool well_formed = false;
    std::string error;                // why it is not well-formed
    std::vector<XmlElement> elements; // in document order
};

XmlDocument ReadXml(std::string_view text);

// The elements at the given path, in document order.
std::vector<const XmlElement*> FindElements(const XmlDocument& document, std::string_view path);
