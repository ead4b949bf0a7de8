#include "core/stage_classes.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

TEST(StageClasses, CompetitorsOfClassesTheStageLacksAreCountedPerClassAndNamed) {
    RaceRecord stage;
    stage.classes[0].class_name = "H21";
    stage.classes[4].class_name = "D21";
    const std::vector<std::string> classes{"Men E", "H21", "", "Men E", "D21", "h21", "Men E", ""};
    const std::vector<ClassCount> outside = classesOutsideStage(classes, stage);
    ASSERT_EQ(outside.size(), 3u);
    EXPECT_EQ(outside[0].className, "Men E");
    EXPECT_EQ(outside[0].competitors, 3);
    EXPECT_EQ(outside[1].className, "") << "an empty class is no class either";
    EXPECT_EQ(outside[1].competitors, 2);
    EXPECT_EQ(outside[2].className, "h21") << "class names are compared exactly";

    const std::vector<std::pair<ClassCount, std::pair<std::string, std::string>>> messages{
        {{"Men E", 3},
         {"3 competitors of class \"Men E\" are in no class of stage 1",
          "3 závodníci kategorie \"Men E\" nejsou v žádné kategorii etapy 1"}},
        {{"\x8Akoln\xED", 1},
         {"1 competitor of class \"Školní\" is in no class of stage 1",
          "1 závodník kategorie \"Školní\" není v žádné kategorii etapy 1"}},
        {{"H35", 12},
         {"12 competitors of class \"H35\" are in no class of stage 1",
          "12 závodníků kategorie \"H35\" není v žádné kategorii etapy 1"}}};
    for (const auto& [count, texts] : messages) {
        EXPECT_EQ(classOutsideStageMessage(count, 1, Language::English), texts.first);
        EXPECT_EQ(classOutsideStageMessage(count, 1, Language::Czech), texts.second);
    }
    EXPECT_TRUE(classesOutsideStage({"H21", "D21"}, stage).empty());
}

} // namespace
} // namespace ravik
