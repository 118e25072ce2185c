#include "chrome/TAboutBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString texte(const TAboutBox &boite, const QString &nom)
{
    const auto *label = boite.findChild<QLabel *>(nom);
    return label ? label->text() : u"<absent>"_s;
}

// The application's title for the life of one test.
class TitreApplication
{
public:
    explicit TitreApplication(const QString &titre)
        : m_avant(QCoreApplication::applicationName())
    {
        QCoreApplication::setApplicationName(titre);
    }
    ~TitreApplication() { QCoreApplication::setApplicationName(m_avant); }

private:
    QString m_avant;
};

} // namespace

TEST(APropos, TextsAreBuiltOnceAtCreation)
{
    TitreApplication titre(u"Kinolux"_s);
    TAboutBox boite;
    EXPECT_EQ(boite.objectName(), u"AboutBox"_s);
    EXPECT_EQ(boite.windowTitle(), u"A propos de Kinolux"_s);
    EXPECT_EQ(boite.minimumSize(), QSize(425, 229));
    EXPECT_EQ(boite.maximumSize(), QSize(425, 229));

    EXPECT_EQ(texte(boite, u"ProductName"_s), u"Orvandel Kinolux"_s);
    EXPECT_EQ(texte(boite, u"Version"_s), u"2007 (1.9.2.4)"_s);
    EXPECT_TRUE(texte(boite, u"Copyright"_s).startsWith(u"Orvandel"_s));
    EXPECT_EQ(texte(boite, u"Comments"_s),
              u"Cette application à été réalisée à partir d' un projet scolaire de BTS "
              u"Informatique de Gestion. Elle permet d'établir votre vidéothèque numérique très "
              u"simplement et rapidement. Il vous suffit juste de disposer d'une connexion "
              u"Internet, de saisir les titres de vos films  et tout se charge "
              u"automatiquement."_s);
    EXPECT_TRUE(boite.findChild<QLabel *>(u"Comments"_s)->wordWrap());

    const auto *ok = boite.findChild<QPushButton *>(u"OKButton"_s);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), u"Fermer"_s);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_NE(boite.findChild<QWidget *>(u"ProgramIcon"_s), nullptr);
    EXPECT_NE(boite.findChild<QWidget *>(u"Panel1"_s), nullptr);

    const QString copyright = texte(boite, u"Copyright"_s);
    QCoreApplication::setApplicationName(u"Autre"_s);
    boite.open();
    boite.accept();
    boite.open();
    EXPECT_EQ(texte(boite, u"ProductName"_s), u"Orvandel Kinolux"_s);
    EXPECT_EQ(texte(boite, u"Copyright"_s), copyright);
    boite.accept();
}

TEST(APropos, VersionOfTheBuild)
{
    EXPECT_EQ(TAboutBox::lireVersionFichier(), u"1.9.2.4"_s);
}

struct CasVersion
{
    const char16_t *build;
    const char16_t *affichee;
};

class TexteVersion : public ::testing::TestWithParam<CasVersion>
{
};

TEST_P(TexteVersion, FourNumbersWithoutLeadingZeros)
{
    const auto [build, affichee] = GetParam();
    EXPECT_EQ(TAboutBox::texteVersion(QString::fromUtf16(build)), QString::fromUtf16(affichee));
}

// Anything that is not a file version reads as a missing one.
INSTANTIATE_TEST_SUITE_P(
    APropos, TexteVersion,
    ::testing::Values(CasVersion{u"", u"1.9.2"}, CasVersion{u"1.9.2.4", u"1.9.2.4"},
                      CasVersion{u"10.0.0.12", u"10.0.0.12"}, CasVersion{u"01.09.2.4", u"1.9.2.4"},
                      CasVersion{u"65535.0.0.65535", u"65535.0.0.65535"},
                      CasVersion{u"1.9.2", u"1.9.2.0"}, CasVersion{u"65536.0.0.0", u"1.9.2"},
                      CasVersion{u"1.9.2.4.5", u"1.9.2"}, CasVersion{u"1..2.3", u"1.9.2"},
                      CasVersion{u"+1.0.0.0", u"1.9.2"}, CasVersion{u"1.9.2-beta", u"1.9.2"}));

class ToucheEntree : public ::testing::TestWithParam<Qt::Key>
{
};

TEST_P(ToucheEntree, ClosesTheDialogWithOk)
{
    TAboutBox boite;
    boite.open();
    ASSERT_TRUE(boite.isVisible());
    QTest::keyClick(&boite, GetParam());
    EXPECT_FALSE(boite.isVisible());
    EXPECT_EQ(boite.result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(APropos, ToucheEntree, ::testing::Values(Qt::Key_Return, Qt::Key_Enter));
