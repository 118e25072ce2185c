#include "chrome/TAboutBox.h"

#include "chrome/Ecran.h"
#include "chrome/Images.h"
#include "chrome/TImage.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QLabel *creerLabel(QWidget *parent, const QString &nom, const QFont &police, const QRect &cadre)
{
    auto *label = new QLabel(parent);
    label->setObjectName(nom);
    label->setFont(police);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(cadre);
    return label;
}

QFont tahoma(bool gras, bool italique)
{
    QFont police(u"Tahoma"_s, 8);
    police.setBold(gras);
    police.setItalic(italique);
    return police;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"A propos de Kinolux"_s);
    setFixedSize(425, 229);
    setModal(true);

    auto *panel1 = new QFrame(this);
    panel1->setObjectName(u"Panel1"_s);
    panel1->setGeometry(8, 8, 409, 180);
    // A raised inner bevel inside a lowered outer one: an etched frame.
    panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    panel1->setLineWidth(1);

    auto *programIcon = new TImage(panel1);
    programIcon->setObjectName(u"ProgramIcon"_s);
    programIcon->setGeometry(8, 8, 106, 97);
    programIcon->setCenter(true);
    programIcon->setProportional(true);
    programIcon->setStretch(true);
    programIcon->setPicture(QPixmap::fromImage(Images::iconeProgramme()));

    QFont corsiva(u"Monotype Corsiva"_s, 14);
    corsiva.setBold(true);
    corsiva.setItalic(true);
    m_productName = creerLabel(panel1, u"ProductName"_s, corsiva, QRect(128, 14, 270, 30));
    QPalette bleu = m_productName->palette();
    bleu.setColor(QPalette::WindowText, Qt::blue);
    m_productName->setPalette(bleu);

    m_version = creerLabel(panel1, u"Version"_s, tahoma(true, true), QRect(128, 50, 270, 16));
    m_copyright = creerLabel(panel1, u"Copyright"_s, tahoma(false, false), QRect(128, 70, 270, 39));
    m_copyright->setWordWrap(true);
    m_comments = creerLabel(panel1, u"Comments"_s, tahoma(false, true), QRect(8, 110, 393, 66));
    m_comments->setWordWrap(true);

    auto *okButton = new QPushButton(u"Fermer"_s, this);
    okButton->setObjectName(u"OKButton"_s);
    okButton->setGeometry((425 - 75) / 2, 196, 75, 25);
    okButton->setDefault(true);
    okButton->setAutoDefault(true);
    okButton->setFocus();
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    centrerSurEcran(*this);

    FormCreate();
}

QString TAboutBox::lireVersionFichier()
{
#ifdef KINOLUX_VERSION
    return texteVersion(QStringLiteral(KINOLUX_VERSION));
#else
    return texteVersion(QString());
#endif
}

QString TAboutBox::texteVersion(const QString &versionBuild)
{
    const QString fallback = u"1.9.2"_s;
    const QString texte = versionBuild.trimmed();
    if (texte.isEmpty())
        return fallback;
    const QStringList parties = texte.split(u'.');
    if (parties.size() > 4)
        return fallback;
    QStringList nombres;
    for (const QString &partie : parties) {
        bool ok = false;
        const uint valeur = partie.toUInt(&ok);
        // Digits only: toUInt would also take "+1" or " 1".
        const bool chiffres =
            !partie.isEmpty() && std::all_of(partie.begin(), partie.end(),
                                             [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!ok || !chiffres || valeur > 0xFFFF)
            return fallback;
        nombres.append(QString::number(valeur));
    }
    // A file version always has four numbers; the build may give fewer.
    while (nombres.size() < 4)
        nombres.append(u"0"_s);
    return nombres.join(u'.');
}

void TAboutBox::FormCreate()
{
    m_productName->setText(u"Orvandel "_s + QCoreApplication::applicationName());
    m_version->setText(u"2007 ("_s + lireVersionFichier() + u")"_s);
    m_copyright->setText(u"Orvandel — logiciel libre, 2007-2026"_s);
    m_comments->setText(
        u"Cette application à été réalisée à partir d' un projet scolaire de BTS Informatique "
        u"de Gestion. Elle permet d'établir votre vidéothèque numérique très simplement et "
        u"rapidement. Il vous suffit juste de disposer d'une connexion Internet, de saisir les "
        u"titres de vos films  et tout se charge automatiquement."_s);
}
