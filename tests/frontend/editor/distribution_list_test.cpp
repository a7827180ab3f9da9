// The editor's distribution list and parameter boxes follow the distribution table: one entry
// per code in its order, as many boxes shown as the distribution has parameters, each named
// as the table names it, and the block diagram's short form with as many numbers.
#include "distributions.h"
#include "editor/parameter_hints.h"
#include "editor_fixture.h"

namespace {

TEST_F(EditorTest, DistributionListAndBoxesFollowTheTable) {
    auto* list = control<QComboBox>(QStringLiteral("cmbfallo(1)"));
    ASSERT_EQ(list->count(), farvik::kDistributionCount);
    for (int position = 0; position < farvik::kDistributionCount; ++position) {
        const farvik::Distribution& d = farvik::distributionTable()[position];
        SCOPED_TRACE(d.name);
        EXPECT_EQ(list->itemText(position), QString::fromUtf8(d.name));
        list->setCurrentIndex(position);
        box("txtparam1(1)")->setText(QStringLiteral("2"));
        if (d.parameterCount > 1) box("txtparam2(1)")->setText(QStringLiteral("3"));
        EXPECT_EQ(element(1, 1).distribution, position) << "the position is what is stored";
        QLineEdit* boxes[] = {box("txtparam1(1)"), box("txtparam2(1)"), box("txtparam3(1)")};
        for (int n = 1; n <= 3; ++n) {
            SCOPED_TRACE(n);
            QLineEdit* b = boxes[n - 1];
            EXPECT_EQ(b->isHidden(), n > d.parameterCount);
            if (n > d.parameterCount) continue;
            const farvik::ParameterLabel& p = d.parameters[n - 1];
            EXPECT_EQ(b->placeholderText(), QString::fromUtf8(p.placeholder));
            EXPECT_TRUE(b->toolTip().contains(QString::fromUtf8(p.tooltip))) << d.name;
        }
        const QString shown = farvik::editor::shortDistribution(position, 2, 3);
        EXPECT_TRUE(shown.startsWith(QString::fromUtf8(d.shortName) + QLatin1Char(' ')));
        EXPECT_EQ(shown.count(QStringLiteral(" / ")), d.parameterCount - 1) << shown.toStdString();
    }
}

}  // namespace
