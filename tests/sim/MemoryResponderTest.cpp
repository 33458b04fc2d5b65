// Units with a parameter memory played from VEXA's own models (each unit's own memory and its
// dump file are checked through the vexa-sim program in SimProgramTest).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/Folders.h"
#include "sim/MemoryResponder.h"
#include "sim/SimProfile.h"

namespace {

SimCommand Quadrel(const std::string& code, const std::string& data = "") {
    return SimCommand{SimProtocol::Quadrel, 1, code, data};
}

SimCommand At(const std::string& code, const std::string& data = "") {
    return SimCommand{SimProtocol::At, 1, code, data};
}

class MemoryUnit : public ::testing::Test {
  protected:
    void Play(const std::string& profileName) {
        std::string folder, error;
        ASSERT_TRUE(GetModuleFolder(folder));
        m_profile = SimProfile{};
        ASSERT_TRUE(LoadSimProfile(folder + profileName, m_profile, error)) << error;
        auto model = std::make_shared<MemoryModel>();
        ASSERT_TRUE(model->Load(m_profile, error)) << error;
        m_model = model;
        m_unit = std::make_unique<MemoryResponder>(m_model, m_profile);
    }

    SimReply Ask(const SimCommand& command) {
        std::optional<SimReply> reply = m_unit->Respond(command);
        EXPECT_TRUE(reply.has_value()) << command.Text();
        return reply.value_or(SimReply{});
    }

    int32_t Value(int32_t number) { return m_unit->Values().at(number); }

    SimProfile m_profile;
    std::shared_ptr<const MemoryModel> m_model;
    std::unique_ptr<MemoryResponder> m_unit;
};

TEST_F(MemoryUnit, ReadsAndWritesInEachValueFormat) {
    Play("HD40.sim");
    EXPECT_EQ(Ask(Quadrel("5202")).Data, "000009C4");  // 8 hex digits
    EXPECT_EQ(Ask(Quadrel("5208")).Data, "0001");      // 4 hex digits
    EXPECT_EQ(Ask(Quadrel("571B", "FFFFFFF6")).ResponseCode, 0);
    EXPECT_EQ(Value(27), -10);
    EXPECT_EQ(Ask(Quadrel("521B")).Data, "FFFFFFF6");

    Play("HD80.sim");
    EXPECT_EQ(Ask(Quadrel("5203")).Data, "1500");  // signed texts
    EXPECT_EQ(Ask(Quadrel("0F00")).Data, "");      // heading: no value
    EXPECT_EQ(Ask(Quadrel("5703", "F005")).ResponseCode, 0);
    EXPECT_EQ(Value(3), -5);
    EXPECT_EQ(Ask(Quadrel("5703", "A999")).ResponseCode, 0);
    EXPECT_EQ(Value(3), -1999);
    EXPECT_EQ(Ask(Quadrel("520E")).Data, "F050");
    EXPECT_EQ(Ask(At("RB")).Data, "0004");
    EXPECT_EQ(Ask(At("WB", "0006")).AtEndCode, "00");
    EXPECT_EQ(Value(53), 6);
    EXPECT_EQ(Ask(At("RS")).Data, "B2");  // canned answer of the profile
}

TEST_F(MemoryUnit, RefusesWritesItMustNotTakeAndUnknownCommands) {
    Play("HD40.sim");
    EXPECT_EQ(Ask(Quadrel("5701", "00000001")).ResponseCode, MemoryResponder::kReadOnlyCode);
    EXPECT_EQ(Ask(Quadrel("5702", "000186A0")).ResponseCode, MemoryResponder::kValueCode);
    EXPECT_EQ(Ask(Quadrel("5702", "XYZ")).ResponseCode, MemoryResponder::kValueCode);
    EXPECT_EQ(Ask(Quadrel("5708", "0006")).ResponseCode, MemoryResponder::kValueCode);
    EXPECT_EQ(Value(2), 2500);
    EXPECT_EQ(Value(8), 1);
    EXPECT_EQ(Ask(Quadrel("7777")).ResponseCode, CannedResponder::kUnknownCommandCode);
    EXPECT_EQ(Ask(Quadrel("5202", "00")).ResponseCode, CannedResponder::kUnknownCommandCode);

    Play("HD80.sim");
    EXPECT_EQ(Ask(At("WB", "0009")).AtEndCode, MemoryResponder::kValueAtCode);
    EXPECT_EQ(Ask(Quadrel("5703", "12345")).ResponseCode, MemoryResponder::kValueCode);
    EXPECT_EQ(Value(53), 4);
}

TEST_F(MemoryUnit, WriteModeParametersNeedWriteMode) {
    Play("HD40.sim");
    EXPECT_EQ(Ask(Quadrel("571F", "0003")).ResponseCode, MemoryResponder::kWriteModeCode);
    EXPECT_EQ(Ask(Quadrel("6C01")).ResponseCode, 0);
    EXPECT_EQ(Ask(Quadrel("571F", "0003")).ResponseCode, 0);
    EXPECT_EQ(Ask(Quadrel("6C00")).ResponseCode, 0);
    EXPECT_EQ(Ask(Quadrel("571F", "0004")).ResponseCode, MemoryResponder::kWriteModeCode);
    EXPECT_EQ(Value(31), 3);

    Play("HD80.sim");
    EXPECT_EQ(Ask(Quadrel("5730", "0001")).ResponseCode, MemoryResponder::kWriteModeCode);
    EXPECT_EQ(Ask(At("WM", "1")).AtEndCode, "00");
    EXPECT_EQ(Ask(Quadrel("5730", "0001")).ResponseCode, 0);
}

TEST_F(MemoryUnit, ControlsSetTheStateAndOnlyTheStoreGoesUnanswered) {
    const std::string kStore = "6E00";
    // clang-format off
    const struct {
        const char* profile;
        std::vector<SimCommand> commands;
        UnitState state;
    } cases[] = {
        {"HD40.sim", {Quadrel("7101")}, {.Running = false}},
        {"HD40.sim", {Quadrel("7101"), Quadrel("5202"), Quadrel("7100")}, {}},
        {"HD40.sim", {Quadrel("6C01"), Quadrel("571F", "0003")},
         {.WriteMode = true, .UnsavedWrites = 1}},
        {"HD40.sim", {Quadrel("5706", "0032"), Quadrel("5706", "0033"), Quadrel(kStore)},
         {.Stores = 1}},
        // Outside write mode a value is kept at once; in write mode it waits for a store.
        {"HD40.sim", {Quadrel("5706", "0032")}, {}},
        {"HD40.sim", {Quadrel(kStore), Quadrel("6C01"), Quadrel("5706", "0032")},
         {.WriteMode = true, .Stores = 1, .UnsavedWrites = 1}},
        // Refused writes are not written.
        {"HD40.sim", {Quadrel("5701", "00000001"), Quadrel("5708", "0006"),
                      Quadrel("571F", "0003")}, {}},
        {"HD80.sim", {At("WM", "1"), At("WB", "0006"), Quadrel(kStore), At("WM", "0")},
         {.Stores = 1}},
        {"HD80.sim", {Quadrel("7101")}, {}},  // no such control: a command it does not know
    };
    // clang-format on
    for (const auto& run : cases) {
        Play(run.profile);
        for (const SimCommand& command : run.commands)
            EXPECT_EQ(m_unit->Respond(command).has_value(), command.Text() != kStore);
        EXPECT_EQ(UnitStateText(m_unit->State()), UnitStateText(run.state))
            << run.profile << " " << run.commands.front().Text();
    }
}

// A profile whose table is missing: SimProgram.BadOptionsAndMissingTablesExitWithTwo.
TEST(MemoryModelLoad, RefusesBrokenProfiles) {
    std::string error;
    MemoryModel model;
    EXPECT_FALSE(model.Load(SimProfile{}, error));  // no [Memory]
    for (const char* text : {"[Memory]\nTable=HD40.prm\n[Values]\n2=abc\n",
                             "[Memory]\nTable=HD40.prm\n[Ranges]\n2=5\n",
                             "[Memory]\nTable=HD40.prm\nRunStop=7101,7102\nStore=7102\n"}) {
        SimProfile profile;
        ASSERT_TRUE(ParseSimProfile(text, profile, error)) << text;
        EXPECT_FALSE(model.Load(profile, error)) << text;
    }
}

}  // namespace
