// The distribution table describes each distribution consistently: its data file line names
// it as the editor's list does, each parameter it uses is labelled as parameter n, and the
// rules it lists are the ones the reader and the editor apply.
#include "distributions.h"

#include <gtest/gtest.h>

#include <cctype>
#include <limits>
#include <set>
#include <string>

#include "datafile_layout.h"

namespace farvik {
namespace {

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(Distributions, EachEntryNamesItsCodeAlike) {
    std::set<std::string> names, shortNames;
    for (int code = 1; code <= kDistributionCount; ++code) {
        SCOPED_TRACE(code);
        const Distribution* d = findDistribution(code);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d, &distributionTable()[code - 1]);
        EXPECT_EQ(d->code, code);
        // The file's option line is the list's name, numbered and in capitals.
        EXPECT_EQ(d->fileOption, std::to_string(code) + ".-   " + upper(d->name));
        EXPECT_TRUE(names.insert(d->name).second) << d->name;
        EXPECT_TRUE(shortNames.insert(d->shortName).second) << d->shortName;
        EXPECT_NE(d->mean, nullptr);
    }
    EXPECT_EQ(findDistribution(0), nullptr);
    EXPECT_EQ(findDistribution(kDistributionCount + 1), nullptr);
    EXPECT_EQ(findDistribution(-1), nullptr);
}

TEST(Distributions, EveryParameterInUseIsLabelledInItsPlace) {
    for (int code = 1; code <= kDistributionCount; ++code) {
        const Distribution& d = *findDistribution(code);
        SCOPED_TRACE(d.name);
        ASSERT_GE(d.parameterCount, 1);
        ASSERT_LE(d.parameterCount, 2);
        for (int n = 1; n <= d.parameterCount; ++n) {
            const ParameterLabel& p = d.parameters[n - 1];
            ASSERT_NE(p.name, nullptr);
            ASSERT_NE(p.placeholder, nullptr);
            ASSERT_NE(p.tooltip, nullptr);
            EXPECT_FALSE(std::string(p.name).empty());
            EXPECT_FALSE(std::string(p.placeholder).empty());
            EXPECT_EQ(std::string(p.tooltip).rfind("Parámetro " + std::to_string(n) + ": ", 0), 0u)
                << p.tooltip;
        }
        // A check at a stage the distribution has no parameter for could never be reported in
        // the right box.
        for (const ParameterCheck* c = d.checksBegin(); c != d.checksEnd(); ++c) {
            EXPECT_NE(c->holds, nullptr);
            EXPECT_FALSE(std::string(c->words).empty());
            if (c->stage == ParameterStage::Second) {
                EXPECT_EQ(d.parameterCount, 2) << c->words;
            }
        }
    }
}

// The file's distribution lines are the table's, in its order, under the label.
TEST(Distributions, DataFileListsTheTable) {
    const Lead lead = lead::distributionLead();
    ASSERT_EQ(lead.size(), 2u + kDistributionCount);
    EXPECT_EQ(lead[0].text, labels::kDistribution);
    for (int k = 0; k < kDistributionCount; ++k) {
        EXPECT_EQ(lead[2 + k].text, distributionTable()[k].fileOption);
        EXPECT_EQ(lead[2 + k].mention, labels::kDistribution);
    }
}

// A parameter that is no number passes no check, whatever the distribution, and a code
// beyond the table has no rules (the reader refuses the code itself before them).
TEST(Distributions, NotANumberIsRefusedEverywhere) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int code = 1; code <= kDistributionCount; ++code) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(parameterFaults(code, nan, nan).empty());
        EXPECT_FALSE(parameterFaults(code, nan, 1).empty());
    }
    EXPECT_TRUE(parameterFaults(kDistributionCount + 1, -1, -1).empty());
}

}  // namespace
}  // namespace farvik
