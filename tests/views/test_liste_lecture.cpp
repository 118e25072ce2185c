// The playlist's files, byte for byte: listeLecture.ldl and kinolux.pls.
#include "catalogue/ListeLecture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using namespace ListeLecture;

TEST(FichierPls, LinesInWindows1252EachEndedByCrLf)
{
    EXPECT_EQ(enOctets(lignesPls({u"D:\\Films\\a.avi"_s, u"b.mkv"_s})),
              QByteArray("[playlist]\r\nFile1=D:\\Films\\a.avi\r\nTitle1=a.avi\r\nFile2=b.mkv\r\n"
                         "Title2=b.mkv\r\nNumberOfEntries=2\r\nVersion=2\r\n"));
    EXPECT_EQ(enOctets(lignesPls({})),
              QByteArray("[playlist]\r\nNumberOfEntries=0\r\nVersion=2\r\n"));
    EXPECT_EQ(enOctets(lignesPls({u"C:\\Été.avi"_s})),
              QByteArray("[playlist]\r\nFile1=C:\\\xC9t\xE9.avi\r\nTitle1=\xC9t\xE9.avi\r\n"
                         "NumberOfEntries=1\r\nVersion=2\r\n"));
}

TEST(FichierPls, TheTitleIsWhatFollowsTheLastBackslashOrColon)
{
    const std::pair<QString, QString> cas[] = {
        {u"b.mkv"_s, u"b.mkv"_s},
        {u"-"_s, u"-"_s},
        {u"C:film.avi"_s, u"film.avi"_s},
        {u"\\\\serveur\\partage\\x.avi"_s, u"x.avi"_s},
        {u"D:\\Films\\"_s, QString()},
        {u"a\\b:c.avi"_s, u"c.avi"_s},
        {u"a:b\\c.avi"_s, u"c.avi"_s},
        {u"/home/moi/film.avi"_s, u"/home/moi/film.avi"_s}, // a slash is no separator here
    };
    for (const auto &[chemin, nom] : cas)
        EXPECT_EQ(nomDansChemin(chemin), nom) << chemin.toStdString();
}

TEST(FichierListe, Windows1252UnlessAnEntryNeedsUtf8WithAMark)
{
    EXPECT_EQ(enOctets({}), QByteArray());
    EXPECT_EQ(enOctets({u"Le Pont"_s, QString(), u"Amélie €"_s}),
              QByteArray("Le Pont\r\n\r\nAm\xE9lie \x80\r\n"));

    const QStringList entrees{u"Amélie"_s, u"東京物語"_s};
    EXPECT_EQ(enOctets(entrees), QByteArray("\xEF\xBB\xBF") + u"Amélie\r\n東京物語\r\n"_s.toUtf8());
    EXPECT_EQ(lignes(enOctets(entrees)), entrees);
    // Three characters that read like the mark in Windows-1252 are not taken for it.
    const QStringList marque{u"\u00EF\u00BB\u00BFtitre"_s};
    EXPECT_EQ(lignes(enOctets(marque)), marque);
}

TEST(FichierListe, LinesEndAtCrLfOrBothAndALastLineWithoutEndCounts)
{
    const std::pair<QByteArray, QStringList> cas[] = {
        {"", {}},
        {"a\r\nb\r\n", {u"a"_s, u"b"_s}},
        {"a\nb", {u"a"_s, u"b"_s}},
        {"a\rb\r", {u"a"_s, u"b"_s}},
        {"a\r\n\r\nb", {u"a"_s, QString(), u"b"_s}},
        {"a\n\r", {u"a"_s, QString()}},
        {"Am\xE9lie \x80\x81", {u"Amélie €\u0081"_s}},
        {"\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\r\nx", {u"été"_s, u"x"_s}},
    };
    for (const auto &[octets, attendues] : cas)
        EXPECT_EQ(lignes(octets), attendues) << octets.toHex().toStdString();
}

TEST(FichierListe, OnlyTheFirstMarkIsDroppedAndATitleKeepsALeadingZeroWidthSpace)
{
    EXPECT_EQ(lignes("\xEF\xBB\xBF\xEF\xBB\xBFx\r\n"), QStringList{u"\uFEFFx"_s});
    EXPECT_EQ(lignes("\xEF\xBB\xBF\xC3"), QStringList{u"\uFFFD"_s})
        << "a cut sequence at the end is a replacement character, not dropped";

    const QStringList titres{u"\uFEFFAmélie"_s, u"\uFEFF"_s, u"x"_s};
    EXPECT_EQ(lignes(enOctets(titres)), titres);
}

} // namespace
