#include "text/json_text.h"

#include <gtest/gtest.h>

#include <string>

namespace pelorn {
namespace {

TEST(JsonString, EscapesWhatJsonRequiresAndKeepsWellFormedUtf8) {
    const struct {
        std::string text;
        std::string json;
    } cases[] = {
        {"", "\"\""},
        {"Untitled", "\"Untitled\""},
        {"a\"b\\c/d", "\"a\\\"b\\\\c/d\""},
        {"line\r\nnext\tcol", "\"line\\r\\nnext\\tcol\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
        {"caf\xc3\xa9", "\"caf\xc3\xa9\""},                  // UTF-8 kept
        {"\xe2\x82\xac \xf0\x9f\x97\xba", "\"\xe2\x82\xac \xf0\x9f\x97\xba\""},
        {"caf\xe9", "\"caf\\u00e9\""},                        // a single-byte name: Latin-1
        {"\xc3", "\"\\u00c3\""},                              // cut short at the end
        {"\xc3(", "\"\\u00c3(\""},                            // no continuation byte
        {"\xc0\xaf", "\"\\u00c0\\u00af\""},                   // overlong '/'
        {"\xe0\x80\xaf", "\"\\u00e0\\u0080\\u00af\""},        // overlong, three bytes
        {"\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\""},        // a surrogate
        {"\xf4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""},  // beyond U+10FFFF
        {"\xf5\x80", "\"\\u00f5\\u0080\""},
        {"\xff\xfe", "\"\\u00ff\\u00fe\""},
    };
    for (const auto& c : cases) EXPECT_EQ(jsonString(c.text), c.json) << c.text;
}

}  // namespace
}  // namespace pelorn
