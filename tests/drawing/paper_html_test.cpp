// The page made fit for paper: the screen's parts left out, the headings marked
// so that every page repeats them, the statistics bars turned into pictures.
#include "drawing/paper_html.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

TEST(PaperHtml, KeepsTheListAndLeavesOutWhatOnlyAScreenNeeds) {
    struct Case {
        const char* what;
        std::string page, paper;
    };
    const Case cases[] = {
        {"refresh, highlight rule, script",
         "<meta http-equiv=\"refresh\" content=\"300\">\r\n<style type=\"text/css\">\r\n .normal { x }\r\n"
         " .highlight { position: fixed; top: 0px; left: 0px;\r\n</style>\r\n<h2>Cup</h2>\r\n</body>\r\n"
         "<script>\r\nfunction onloadFunctions()\r\n</script>\r\n",
         "<style type=\"text/css\">\n .normal { x }\n</style>\n<h2>Cup</h2>\n</body>\n"},
        {"frame table, spacer and leaders block",
         "<table width=3000 border=0><tr>\r\n<td height=184>&nbsp;<tr>\r\n<td>Ann\r\n"
         "</table></table><p><i>Generated: 10:00:00, 01.05.2026\r\n"
         "<table border=0 cellspacing=0 cellpadding=3 class=\"highlight\" bgcolor=#FFFFFF "
         "width=100%><tr><td>\r\n"
         "<h2>Cup</h2>\r\n<td>Ann\r\n</table></table>\r\n</body>\r\n",
         "<table border=0><tr>\n<td>Ann\n</table></table><p><i>Generated: 10:00:00, 01.05.2026\n</body>\n"},
        {"heading rows of a result table, a member table without heading",
         "<table border=1><tr><th rowspan=2>##<th>1\r\n<tr><TH>A\r\n<tr>\r\n<tr><td>1.<td><table "
         "width=100%><tr><td>Ann</table>\r\n</table>\r\n",
         "<table border=1><thead><tr><th rowspan=2>##<th>1\n<tr><TH>A\n<tr>\n</thead><tr><td>1.<td><table "
         "width=100%><tr><td>Ann</table>\n</table>\n"},
        {"a statistics bar",
         "<td nowrap><span style=\"display:inline-block;height:8px;width:57px;background-color:#22AA22;\">"
         "</span> 15\r\n",
         "<td nowrap><img src=\"ravik-bar:22AA22\" width=57 height=8> 15\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paperHtml(c.page), c.paper) << c.what;
}

} // namespace
} // namespace ravik
