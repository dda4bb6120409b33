#include "measure/JumpRecord.h"
#include "measure/MeasuredJump.h"
#include "measure/ResultsFile.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

constexpr LocalDateTime kMoment{2026, 12, 7, 15, 53, 4};

/** A jump line as the measuring screen fills it after a measurement of distanceMetres. */
JumpRecordFields measuredJump(std::string skier, std::string number, double distanceMetres,
                              ImpactState impact, BarefootTournament barefoot = BarefootTournament::No)
{
    const MeasuredJumpFigures figures = measuredJumpFigures(distanceMetres, barefoot);
    impact.raw_distance_text = figures.raw_distance_text;
    JumpRecordFields fields;
    fields.moment = kMoment;
    fields.skierName = std::move(skier);
    fields.jumpNumberText = std::move(number);
    fields.metresText = figures.metresText;
    fields.feetText = figures.feetText;
    fields.barefoot = barefoot;
    fields.tail = impact;
    return fields;
}

/** Appends each record through the results file writer and returns the file's bytes. */
std::string writtenResults(std::initializer_list<std::string> records)
{
    testing::TempFolder folder;
    const ResultsFile results(folder.file("results.txt"));
    for (const auto& record : records)
        EXPECT_TRUE(results.append(record).ok());
    return testing::fileBytes(results.path());
}

TEST(JumpRecord, MeasuredJumpsKeepTheWholeSkierNameAndRoundTheTail)
{
    auto first = measuredJump("Smith, John", "1", 45.149, {12.3456, -40.0004, 4567.8, 3210.2, {}});
    // Negative survey values round upward at the half; a tiny negative one becomes a plain zero.
    auto second = measuredJump("Smith, John", " 2", 44.958, {-0.0004, -1.2345, 0.9, -0.5, {}});
    second.moment.second = 34;
    EXPECT_EQ(writtenResults({jumpRecord(first), jumpRecord(second)}),
              testing::goldenFile("results-measured-jump/results.txt"));
}

TEST(JumpRecord, BarefootAndVerifyMarkersComeBeforeTheComment)
{
    const ImpactState landing{1.5, -20.25, 100.0, 200.0, {}};
    const auto barefoot = measuredJump("Jones", "1", 20.0, landing, BarefootTournament::Yes);

    auto verified = measuredJump("Jones", "2", 45.149, {12.3456, -40.0004, 4567.8, 3210.2, {}});
    verified.verify = VerifyMode::On;

    // A fall does not measure: it repeats the impact state of the last measurement.
    JumpRecordFields fall = barefoot;
    fall.jumpNumberText = "3";
    fall.metresText.clear();
    fall.feetText.clear();
    fall.verify = VerifyMode::On;
    fall.comment = "Fall";

    EXPECT_EQ(writtenResults({jumpRecord(barefoot), jumpRecord(verified), jumpRecord(fall)}),
              testing::goldenFile("results-barefoot-verify/results.txt"));
}

TEST(JumpRecord, OtherGridLinesEndAfterTheComment)
{
    JumpRecordFields withDistance;
    withDistance.moment = kMoment;
    withDistance.skierName = "Smith, John";
    withDistance.jumpNumberText = "2";
    withDistance.metresText = "40m";
    withDistance.feetText = " 131ft";
    withDistance.comment = "Distance from other grid";

    JumpRecordFields noDistance = withDistance;
    noDistance.jumpNumberText = "3";
    noDistance.metresText.clear();
    noDistance.feetText.clear();
    noDistance.comment = "Other Grid - no distance recorded";

    EXPECT_EQ(writtenResults({jumpRecord(withDistance), jumpRecord(noDistance)}),
              testing::goldenFile("results-other-grid/results.txt"));
}

TEST(JumpRecord, TailOfTheStartValuesIsZerosAndAnEmptyRawDistance)
{
    EXPECT_EQ(impactTail(ImpactState{}), " ( 0/ 0) ( 0/ 0) ()");
}

TEST(JumpRecord, TailCutsScreenPositionsToTheirWholePartDownward)
{
    EXPECT_EQ(impactTail({0.0005, -0.0005, 1439.999, -0.001, " 12.5"}), " ( .001/ 0) ( 1439/-1) ( 12.5)");
}

} // namespace
} // namespace leapmark
