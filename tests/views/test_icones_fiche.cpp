#include "views/IconesFiche.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

TEST(IconesFiche, PreferenceLevelsPickTheirIcon)
{
    const struct
    {
        qint32 niveau;
        const char *icone;
    } cas[] = {
        {std::numeric_limits<qint32>::min(), "naze.ico"},
        {-1, "naze.ico"},
        {2, "naze.ico"},
        {3, "bof.ico"},
        {4, "bof.ico"},
        {5, "neutre.ico"},
        {6, "neutre.ico"},
        {7, "pasmal.ico"},
        {8, "pasmal.ico"},
        {9, "super.ico"},
        {10, "super.ico"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(IconesFiche::iconePreference(c.niveau), QString::fromLatin1(c.icone)) << c.niveau;
    EXPECT_FALSE(IconesFiche::iconePreference(11));
    EXPECT_FALSE(IconesFiche::iconePreference(std::numeric_limits<qint32>::max()));
}

TEST(IconesFiche, MediumTypesNameTheirIconFile)
{
    EXPECT_EQ(IconesFiche::iconeSupport(u"DVD-/+R(W)"_s), u"DVD-R.ico"_s);
    EXPECT_EQ(IconesFiche::iconeSupport(u"-"_s), u"rien.ico"_s);
    EXPECT_EQ(IconesFiche::iconeSupport(u"CD-R(W)"_s), u"CD-R(W).ico"_s);
    EXPECT_EQ(IconesFiche::iconeSupport(u"Disque Dur Local"_s), u"Disque Dur Local.ico"_s);
    // The two special texts are compared exactly.
    EXPECT_EQ(IconesFiche::iconeSupport(u"dvd-/+r(w)"_s), u"dvd-/+r(w).ico"_s);
    EXPECT_EQ(IconesFiche::iconeSupport(u" -"_s), u" -.ico"_s);
}
