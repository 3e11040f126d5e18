#include "xml_reader.h"

#include <gtest/gtest.h>

namespace {

TEST(XmlReader, ListsElementsByPathWithAttributesAndText) {
    auto document = ReadXml("<?xml version=\"1.0\"?>\n<!-- note -->\n<a x=\"1\" y='two'>\n"
                            "  <b/>\n  <c z=\"3\">  hello  </c>\n  <b>again</b>\n</a>\n");
    ASSERT_TRUE(document.well_formed) << document.error;
    ASSERT_EQ(document.elements.size(), 4u);
    EXPECT_EQ(document.elements[0].path, "a");
    EXPECT_EQ(document.elements[0].attributes.at("x"), "1");
    EXPECT_EQ(document.elements[0].attributes.at("y"), "two");
    auto c = FindElements(document, "a/c");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0]->attributes.at("z"), "3");
    EXPECT_EQ(c[0]->text, "hello");
    auto b = FindElements(document, "a/b");
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[1]->text, "again");
}

TEST(XmlReader, RefusesDocumentsThatAreNotWellFormed) {
    const char* broken[] = {
        "",                             // no root
        "<a>",                          // never closed
        "<a><b></a></b>",               // closed out of order
        "<a></b>",                      // wrong name
        "<a/><b/>",                     // two roots
        "<a x=\"1\" x=\"2\"/>",         // attribute twice
        "<a x=1/>",                     // unquoted value
        "<a x=\"1\"y=\"2\"/>",          // attributes not separated
        "<a x=\"1/>",                   // value never ends
        "<a><!-- never ends </a>",      // comment never ends
        " <?xml version=\"1.0\"?><a/>", // declaration not first
        "<a/>text",                     // text after the root
        "<a><![CDATA[x]]></a>",         // CDATA is not expected in a manifest
        "<a x=\"<\"/>",                 // '<' in a value
        "</a>",                         // closes nothing
    };
    for (const char* text : broken)
        EXPECT_FALSE(ReadXml(text).well_formed) << text;
}

} // namespace
