// The fuzz targets' line must really deliver its answers, or every exchange target would only
// ever see time-outs and still pass.
#include <gtest/gtest.h>

#include "FakeLine.h"
#include "ops/DeviceLink.h"
#include "ops/ParamExchange.h"
#include "params/MenuCmdItem.h"
#include "support/CommandFrames.h"
#include "support/LogCapture.h"

namespace {

int Execute(FakeLine& line, const std::string& definition, std::string& response) {
    CMenuCmdItem command(5);
    EXPECT_TRUE(command.Parse(definition));
    const SResultOf<std::string> answer = ExecuteCommand(DeviceLink{line.Port(), 1, ""}, command);
    response = answer.value;
    return answer.Ok() ? 1 : 0;
}

TEST(FakeLine, AnswersEachCommandInTurnThenStaysSilent) {
    const LogCapture log;
    FakeLine line({"garbage", frames::ModelAnswerUnit1("HD40-R")});
    ASSERT_NE(line.Port(), nullptr);
    std::string response;
    EXPECT_EQ(Execute(line, "0503;60;1;0;1", response), 1) << log.Text();
    EXPECT_EQ(response, "HD40-R");
    // A time-out of a minute costs no real time once the answers are used up.
    EXPECT_EQ(Execute(line, "0503;60;0;0;1", response), 0);
    EXPECT_NE(log.Text().find("response time out."), std::string::npos);
}

TEST(FakeLine, InputSplitsIntoHeadAndAnswers) {
    EXPECT_EQ(SplitAtSeparator("a<|>b<|><|>c"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(SplitAtSeparator("no separator"), std::vector<std::string>{"no separator"});
}

}  // namespace
