#include "tests/e2e/Bureau.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

Bureau::Bureau(const QString &dossierCaptures)
    : m_captures(dossierCaptures)
{
    QDir().mkpath(m_captures);
}

Bureau::~Bureau()
{
    if (m_gestionnaire.state() != QProcess::NotRunning) {
        m_gestionnaire.terminate();
        if (!m_gestionnaire.waitForFinished(5000))
            m_gestionnaire.kill();
        m_gestionnaire.waitForFinished(5000);
    }
}

QString Bureau::demarrerGestionnaire(const QString &maison)
{
    // A French keyboard: "é" and the other letters typed have keys of their own. xdotool types a
    // letter missing from the keyboard by remapping a spare key just before pressing it, and the
    // program, still reading the old map, then sometimes drops the letter.
    executer(u"setxkbmap"_s, {u"fr"_s});
    // Its own home: no personal configuration, the packaged defaults (Alt+F4 closes).
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(u"HOME"_s, maison);
    environnement.remove(u"XDG_CONFIG_HOME"_s);
    m_gestionnaire.setProcessEnvironment(environnement);
    m_gestionnaire.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_gestionnaire.setStandardOutputFile(QProcess::nullDevice());
    m_gestionnaire.start(u"openbox"_s, {u"--sm-disable"_s});
    if (!m_gestionnaire.waitForStarted(10000))
        return u"openbox does not start: "_s + m_gestionnaire.errorString();
    // The manager announces itself on the root window once it has taken the screen.
    const bool pret = attendreQue(
        [this] {
            return executer(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s})
                .contains(u"window id"_s);
        },
        30000, 100);
    return pret ? QString() : u"openbox did not take the screen"_s;
}

QString Bureau::executer(const QString &programme, const QStringList &arguments) const
{
    QProcess processus;
    // Windows come and go while they are looked at: xwininfo's complaints are no news.
    processus.setStandardErrorFile(QProcess::nullDevice());
    processus.start(programme, arguments);
    if (!processus.waitForFinished(30000)) {
        processus.kill();
        processus.waitForFinished();
        return {};
    }
    return QString::fromUtf8(processus.readAllStandardOutput());
}

QList<Bureau::Fenetre> Bureau::fenetres(qint64 pid) const
{
    QList<Fenetre> resultat;
    const QStringList ids =
        executer(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--pid"_s, QString::number(pid)})
            .split(u'\n', Qt::SkipEmptyParts);
    static const QRegularExpression champ(
        uR"(^\s*(Absolute upper-left [XY]|Width|Height):\s*(-?\d+))"_s,
        QRegularExpression::MultilineOption);
    for (const QString &id : ids) {
        Fenetre fenetre;
        fenetre.id = id.trimmed().toULongLong();
        // xdotool getwindowgeometry counts a manager's frame twice; xwininfo gives the client's
        // place on the screen.
        const QString info = executer(u"xwininfo"_s, {u"-id"_s, id.trimmed()});
        if (!info.contains(u"Map State: IsViewable"_s))
            continue;
        int x = 0, y = 0, largeur = 0, hauteur = 0;
        for (auto it = champ.globalMatch(info); it.hasNext();) {
            const auto trouve = it.next();
            const int valeur = trouve.captured(2).toInt();
            const QString nom = trouve.captured(1);
            if (nom.endsWith(u'X'))
                x = valeur;
            else if (nom.endsWith(u'Y'))
                y = valeur;
            else if (nom == u"Width"_s)
                largeur = valeur;
            else
                hauteur = valeur;
        }
        fenetre.cadre = QRect(x, y, largeur, hauteur);
        fenetre.titre = executer(u"xdotool"_s, {u"getwindowname"_s, id.trimmed()}).trimmed();
        resultat.append(fenetre);
    }
    return resultat;
}

std::optional<Bureau::Fenetre>
Bureau::attendre(qint64 pid, const std::function<bool(const Fenetre &)> &critere, int delaiMs) const
{
    std::optional<Fenetre> trouvee;
    attendreQue(
        [&] {
            for (const Fenetre &fenetre : fenetres(pid)) {
                if (critere(fenetre)) {
                    trouvee = fenetre;
                    return true;
                }
            }
            return false;
        },
        delaiMs, 100);
    return trouvee;
}

std::optional<Bureau::Fenetre> Bureau::attendreTitre(qint64 pid, const QString &titre, int delaiMs,
                                                     quint64 sauf) const
{
    return attendre(
        pid, [&](const Fenetre &f) { return f.titre == titre && f.id != sauf; }, delaiMs);
}

bool Bureau::attendreAbsence(qint64 pid, const std::function<bool(const Fenetre &)> &critere,
                             int delaiMs) const
{
    return attendreQue(
        [&] {
            const QList<Fenetre> liste = fenetres(pid);
            return std::none_of(liste.begin(), liste.end(), critere);
        },
        delaiMs, 100);
}

void Bureau::cliquer(QPoint ecran, int fois) const
{
    executer(u"xdotool"_s,
             {u"mousemove"_s, u"--sync"_s, QString::number(ecran.x()), QString::number(ecran.y()),
              u"click"_s, u"--repeat"_s, QString::number(fois), u"--delay"_s, u"120"_s, u"1"_s});
}

bool Bureau::attendreClavier(quint64 fenetre) const
{
    return attendreQue(
        [&] {
            return executer(u"xdotool"_s, {u"getwindowfocus"_s}).trimmed().toULongLong() == fenetre;
        },
        30000);
}

bool Bureau::taper(quint64 fenetre, const QString &texte) const
{
    if (!attendreClavier(fenetre))
        return false;
    executer(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"40"_s, texte});
    return true;
}

bool Bureau::touches(quint64 fenetre, const QString &combinaison) const
{
    if (!attendreClavier(fenetre))
        return false;
    executer(u"xdotool"_s, {u"key"_s, u"--clearmodifiers"_s, combinaison});
    return true;
}

void Bureau::activer(quint64 id) const
{
    executer(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, QString::number(id)});
}

QImage Bureau::capturer(const QString &nom) const
{
    const QImage image = ecran({});
    image.save(QDir(m_captures).filePath(nom));
    return image;
}

void Bureau::attendreImmobile() const
{
    QImage avant = ecran({});
    attendreQue(
        [&] {
            QImage maintenant = ecran({});
            const bool immobile = maintenant == avant;
            avant = std::move(maintenant);
            return immobile;
        },
        5000, 200);
}

QImage Bureau::ecran(const QRect &zone)
{
    QScreen *ecran = QGuiApplication::primaryScreen();
    if (zone.isNull())
        return ecran->grabWindow(0).toImage();
    return ecran->grabWindow(0, zone.x(), zone.y(), zone.width(), zone.height()).toImage();
}

bool Bureau::attendreQue(const std::function<bool()> &condition, int delaiMs, int pasMs)
{
    QDeadlineTimer limite(delaiMs);
    while (!condition()) {
        if (limite.hasExpired())
            return false;
        QTest::qWait(pasMs);
    }
    return true;
}
