// The data module's changes as steps of the undo history and records of the journal, the covers
// they set aside, and the recovery of a journal left by a run that did not save.
#include "catalogue/Dialogues.h"
#include "catalogue/Erreur.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QUndoStack>
#include <QUrl>

#include <variant>

using namespace Qt::StringLiterals;

namespace {

const QString k_journal = u"baseFilm.journal"_s;
// Steps kept in the history; an older one goes, its covers with the next save.
constexpr int k_etapesGardees = 100;
// A step of more changes than this is announced to the views as a new catalogue.
constexpr size_t k_annoncesUneAUne = 32;

// Moves a file to the desktop's trash. Qt cannot make the trash when the user's data folder
// does not exist yet, and then puts the file in a "files" folder of the working directory: the
// folder is made first, and such a move is taken back.
bool versLaCorbeilleDuBureau(const QString &fichier, QString *dans = nullptr)
{
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString place;
    if (!QFile::moveToTrash(fichier, &place))
        return false;
    if (QFileInfo(place).isAbsolute()) {
        if (dans)
            *dans = place;
        return true;
    }
    QFile::rename(place, fichier);
    QFile::remove(u"info/"_s + QFileInfo(place).fileName() + u".trashinfo"_s);
    return false;
}

} // namespace

class Tdm_Kinolux::CommandeAnnulation final : public QUndoCommand
{
public:
    CommandeAnnulation(Tdm_Kinolux &dm, const QString &texte, std::vector<Annulation> annulations)
        : QUndoCommand(texte)
        , m_dm(dm)
        , m_annulations(std::move(annulations))
    {
    }

    void undo() override { inverser(); }
    // Pushed once its changes are made: the first redo has nothing to do.
    void redo() override
    {
        if (m_faite) {
            m_faite = false;
            return;
        }
        inverser();
    }

private:
    // Applies what undoes the step, last change first; what that gives undoes it in turn.
    void inverser()
    {
        Tdm_Kinolux &dm = m_dm;
        const bool enBloc = m_annulations.size() > k_annoncesUneAUne;
        const bool sansHistorique = dm.m_sansHistorique;
        dm.m_sansHistorique = true;
        {
            Etape etape(dm);
            if (enBloc)
                emit dm.catalogueAReinitialiser();
            std::vector<Annulation> inverses;
            inverses.reserve(m_annulations.size());
            try {
                for (auto a = m_annulations.rbegin(); a != m_annulations.rend(); ++a) {
                    if (auto *operation = std::get_if<Operation>(&*a)) {
                        inverses.push_back(dm.appliquer(std::move(*operation)));
                    } else {
                        auto &couverture = std::get<std::shared_ptr<Couverture>>(*a);
                        dm.echangerCouverture(*couverture);
                        inverses.push_back(couverture);
                    }
                }
            } catch (const Erreur &) {
                // The catalogue is no longer the one the step was made on: the history cannot
                // go on (it is emptied once this command is done).
                inverses.clear();
                QMetaObject::invokeMethod(
                    dm.m_pileAnnulation.get(),
                    [pile = dm.m_pileAnnulation.get()] { pile->clear(); }, Qt::QueuedConnection);
            }
            m_annulations = std::move(inverses);
            if (enBloc)
                emit dm.catalogueReinitialise();
        }
        dm.m_sansHistorique = sansHistorique;
        emit dm.annulationAppliquee();
    }

    Tdm_Kinolux &m_dm;
    std::vector<Annulation> m_annulations;
    bool m_faite = true;
};

Tdm_Kinolux::Etape::Etape(Tdm_Kinolux &dm, const QString &libelle)
    : m_dm(dm)
{
    m_dm.ouvrirEtape(libelle);
}

Tdm_Kinolux::Etape::~Etape()
{
    m_dm.fermerEtape();
}

QUndoStack &Tdm_Kinolux::pileAnnulation()
{
    if (!m_pileAnnulation) {
        m_pileAnnulation = std::make_unique<QUndoStack>();
        m_pileAnnulation->setUndoLimit(k_etapesGardees);
    }
    return *m_pileAnnulation;
}

void Tdm_Kinolux::ouvrirEtape(const QString &libelle)
{
    if (m_profondeurEtape++ == 0)
        m_etape = std::make_unique<EtapeEnCours>();
    if (m_etape->libelle.isEmpty())
        m_etape->libelle = libelle;
}

void Tdm_Kinolux::fermerEtape()
{
    if (--m_profondeurEtape > 0)
        return;
    const std::unique_ptr<EtapeEnCours> etape = std::move(m_etape);
    if (!etape->journal.empty() &&
        (m_etatJournal == EtatJournal::AExaminer || m_etatJournal == EtatJournal::Actif)) {
        try {
            demarrerJournal();
            m_journal.ajouter(etape->journal);
        } catch (const Erreur &e) {
            // The records written so far stay a whole beginning of the session; nothing more is
            // written until the next save, which starts a journal again.
            m_journal.fermer();
            m_etatJournal = EtatJournal::EnPanne;
            if (m_dialogues)
                m_dialogues->erreur(e.texte() + u"\nEnregistrez le catalogue pour ne pas perdre "
                                                "cette modification en cas d'arrêt."_s);
        }
    }
    if (m_sansHistorique || etape->annulations.empty())
        return;
    QString texte = etape->libelle;
    if (texte.isEmpty()) {
        texte = etape->descriptions.size() == 1
                    ? etape->descriptions.front()
                    : u"%1 modifications"_s.arg(etape->descriptions.size());
    }
    pileAnnulation().push(new CommandeAnnulation(*this, texte, std::move(etape->annulations)));
}

Tdm_Kinolux::Operation Tdm_Kinolux::appliquer(Operation operation)
{
    using Genre = Journal::Changement::Genre;
    Journal::Changement &changement = operation.changement;
    const auto taille = qint64(m_fichesFilms.size());
    const qint64 index = changement.index;
    const auto horsLimites = [index] {
        return Erreur(u"List index out of bounds (%1)"_s.arg(index));
    };
    Etape etape(*this);
    Journal::Changement pourJournal;
    pourJournal.genre = changement.genre;
    pourJournal.index = index;
    Operation inverse;
    QString description;

    switch (changement.genre) {
    case Genre::Inserer: {
        const auto nombre = qsizetype(changement.fiches.size());
        if (index < 0 || index > taille || (operation.cles.empty() && index != taille) ||
            (!operation.cles.empty() && qsizetype(operation.cles.size()) != nombre))
            throw horsLimites();
        if (operation.cles.empty()) {
            for (qsizetype i = 0; i < nombre; ++i)
                operation.cles.push_back(m_prochaineCle++);
        }
        pourJournal.fiches = changement.fiches;
        description = nombre == 1 ? u"l'ajout de « %1 »"_s.arg(changement.fiches[0].idFilm())
                                  : u"l'ajout de %1 fiches"_s.arg(nombre);
        if (nombre != 1)
            emit catalogueAReinitialiser();
        Catalogue nouvelles = std::move(operation.objets);
        if (nouvelles.size() != size_t(nombre)) {
            nouvelles.clear();
            nouvelles.reserve(size_t(nombre));
            for (TFicheFilm &fiche : changement.fiches)
                nouvelles.push_back(std::make_unique<TFicheFilm>(std::move(fiche)));
        }
        m_fichesFilms.insert(m_fichesFilms.begin() + index,
                             std::make_move_iterator(nouvelles.begin()),
                             std::make_move_iterator(nouvelles.end()));
        m_cles.insert(m_cles.begin() + index, operation.cles.begin(), operation.cles.end());
        if (nombre == 1)
            emit ficheAjoutee(operation.cles.front());
        else
            emit catalogueReinitialise();
        inverse.changement = {Genre::Retirer, index, nombre, {}};
        break;
    }
    case Genre::Retirer: {
        const qint64 nombre = changement.nombre;
        if (index < 0 || nombre < 0 || index + nombre > taille)
            throw horsLimites();
        pourJournal.nombre = nombre;
        inverse.changement = {Genre::Inserer, index, 0, {}};
        inverse.changement.fiches.reserve(size_t(nombre));
        const auto debut = m_fichesFilms.begin() + index;
        for (auto f = debut; f != debut + nombre; ++f)
            inverse.changement.fiches.push_back(std::move(**f));
        inverse.cles.assign(m_cles.begin() + index, m_cles.begin() + index + nombre);
        description = nombre == 1
                          ? u"la suppression de « %1 »"_s.arg(inverse.changement.fiches[0].idFilm())
                          : u"la suppression de %1 fiches"_s.arg(nombre);
        if (nombre == 1) {
            const CleFiche cle = m_cles[size_t(index)];
            emit ficheASupprimer(cle, qsizetype(index));
            m_fichesFilms.erase(debut);
            m_cles.erase(m_cles.begin() + index);
            emit ficheSupprimee(cle, qsizetype(index));
        } else {
            emit catalogueAReinitialiser();
            m_fichesFilms.erase(debut, debut + nombre);
            m_cles.erase(m_cles.begin() + index, m_cles.begin() + index + nombre);
            emit catalogueReinitialise();
        }
        break;
    }
    case Genre::Remplacer: {
        if (index < 0 || index >= taille || changement.fiches.size() != 1)
            throw horsLimites();
        TFicheFilm &fiche = *m_fichesFilms[size_t(index)];
        pourJournal.fiches = changement.fiches;
        description = u"la modification de « %1 »"_s.arg(fiche.idFilm());
        inverse.changement = {Genre::Remplacer, index, 0, {}};
        inverse.changement.fiches.push_back(std::move(fiche));
        fiche = std::move(changement.fiches.front());
        emit ficheModifiee(m_cles[size_t(index)]);
        break;
    }
    case Genre::Tout: {
        if (!operation.cles.empty() && operation.cles.size() != changement.fiches.size())
            throw horsLimites();
        pourJournal.fiches = changement.fiches;
        description = u"le remplacement du catalogue"_s;
        inverse.changement = {Genre::Tout, 0, 0, {}};
        inverse.changement.fiches.reserve(m_fichesFilms.size());
        for (auto &fiche : m_fichesFilms)
            inverse.changement.fiches.push_back(std::move(*fiche));
        inverse.cles = std::move(m_cles);
        emit catalogueAReinitialiser();
        m_fichesFilms.clear();
        if (operation.objets.size() == changement.fiches.size()) {
            m_fichesFilms = std::move(operation.objets);
        } else {
            m_fichesFilms.reserve(changement.fiches.size());
            for (TFicheFilm &fiche : changement.fiches)
                m_fichesFilms.push_back(std::make_unique<TFicheFilm>(std::move(fiche)));
        }
        m_cles = std::move(operation.cles);
        while (m_cles.size() < m_fichesFilms.size())
            m_cles.push_back(m_prochaineCle++);
        emit catalogueReinitialise();
        break;
    }
    }

    m_etape->journal.push_back(std::move(pourJournal));
    if (!m_sansHistorique) {
        m_etape->annulations.emplace_back(Operation{inverse.changement, inverse.cles, {}});
        m_etape->descriptions.append(description);
    }
    return inverse;
}

QString Tdm_Kinolux::dossierCorbeille() const
{
    return chemin(u"IMAGES_FILMS/.corbeille"_s);
}

QString Tdm_Kinolux::couvertureDeplacable(const QString &relatif) const
{
    // A catalogue file from elsewhere must not make the program move other files, nor the
    // placeholder that every missing cover is copied from.
    const QFileInfo image(chemin(relatif));
    const QString racine = QDir(m_repertoire).canonicalPath() + u'/';
    const QString fichier = image.canonicalFilePath();
    const QString corbeille = QFileInfo(dossierCorbeille()).canonicalFilePath();
    if (relatif.isEmpty() || fichier.isEmpty() || !image.isFile() || !fichier.startsWith(racine) ||
        fichier == QFileInfo(chemin(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s)).canonicalFilePath() ||
        (!corbeille.isEmpty() && fichier.startsWith(corbeille + u'/')))
        return {};
    return fichier;
}

QString Tdm_Kinolux::placeCorbeille(const QString &relatif) const
{
    // The cover's place is kept in the name, so that a bin left by a run that stopped can be put
    // back.
    static int numero = 0;
    return dossierCorbeille() + u'/' + QString::number(QDateTime::currentMSecsSinceEpoch(), 36) +
           u'-' + QString::number(++numero, 36) + u'-' +
           QString::fromLatin1(QUrl::toPercentEncoding(relatif));
}

void Tdm_Kinolux::echangerCouverture(Couverture &couverture) const
{
    const QString place = QDir(m_repertoire).filePath(couverture.relatif);
    QString miseDeCote;
    if (QFileInfo(place).isFile()) {
        miseDeCote = placeCorbeille(couverture.relatif);
        QDir().mkpath(dossierCorbeille());
        // The file stays where it is when it cannot be moved: nothing is lost.
        if (!QFile::rename(place, miseDeCote))
            return;
    }
    if (!couverture.tenue.isEmpty()) {
        QDir().mkpath(QFileInfo(place).absolutePath());
        QFile::rename(couverture.tenue, place);
    }
    couverture.tenue = miseDeCote;
}

void Tdm_Kinolux::noterCouverture(std::shared_ptr<Couverture> couverture)
{
    std::erase_if(m_couvertures, [](const std::weak_ptr<Couverture> &c) { return c.expired(); });
    m_couvertures.push_back(couverture);
    if (!m_sansHistorique && m_etape)
        m_etape->annulations.emplace_back(std::move(couverture));
}

void Tdm_Kinolux::mettreCouvertureDeCote(const QString &relatif)
{
    const QString fichier = couvertureDeplacable(relatif);
    if (fichier.isEmpty())
        return;
    Etape etape(*this);
    auto couverture = std::make_shared<Couverture>();
    couverture->relatif = QDir(QDir(m_repertoire).canonicalPath()).relativeFilePath(fichier);
    echangerCouverture(*couverture);
    if (!couverture->tenue.isEmpty())
        noterCouverture(std::move(couverture));
}

void Tdm_Kinolux::conserverCouverture(const QString &relatif)
{
    auto couverture = std::make_shared<Couverture>();
    const QString racine = QDir(m_repertoire).canonicalPath();
    if (const QString fichier = couvertureDeplacable(relatif); !fichier.isEmpty()) {
        // A copy: the file stays in place until it is written over.
        couverture->relatif = QDir(racine).relativeFilePath(fichier);
        const QString copie = placeCorbeille(couverture->relatif);
        QDir().mkpath(dossierCorbeille());
        if (!QFile::copy(fichier, copie))
            return;
        couverture->tenue = copie;
    } else {
        // No file yet: undoing takes away the one about to be written.
        const QString interieur = cheminInterieur(relatif);
        const QFileInfo place(interieur);
        const QString dossier = QFileInfo(place.absolutePath()).canonicalFilePath();
        if (interieur.isEmpty() || place.exists() || dossier.isEmpty() ||
            !(dossier + u'/').startsWith(racine + u'/'))
            return;
        couverture->relatif = QDir(racine).relativeFilePath(dossier + u'/' + place.fileName());
    }
    Etape etape(*this);
    noterCouverture(std::move(couverture));
}

void Tdm_Kinolux::conserverCouvertureAbsente(const QString &relatif)
{
    const QString fichier = couvertureDeplacable(relatif);
    if (fichier.isEmpty())
        return;
    auto couverture = std::make_shared<Couverture>();
    couverture->relatif = QDir(QDir(m_repertoire).canonicalPath()).relativeFilePath(fichier);
    Etape etape(*this);
    noterCouverture(std::move(couverture));
}

void Tdm_Kinolux::viderCorbeille()
{
    std::erase_if(m_couvertures, [](const std::weak_ptr<Couverture> &c) { return c.expired(); });
    const QString corbeille = dossierCorbeille() + u'/';
    for (const auto &faible : m_couvertures) {
        const auto couverture = faible.lock();
        QString dansLaCorbeille;
        if (couverture && couverture->tenue.startsWith(corbeille) &&
            versLaCorbeilleDuBureau(couverture->tenue, &dansLaCorbeille))
            couverture->tenue = dansLaCorbeille;
    }
    // Covers of steps the history no longer holds.
    QDirIterator restes(dossierCorbeille(), QDir::Files | QDir::Hidden);
    while (restes.hasNext())
        versLaCorbeilleDuBureau(restes.next());
}

QString Tdm_Kinolux::cheminJournal() const
{
    return chemin(k_journal);
}

Journal::Base Tdm_Kinolux::baseDuJournal() const
{
    if (!m_empreinte || !m_empreinte->existe)
        return {};
    return {m_empreinte->hash, m_empreinte->taille};
}

void Tdm_Kinolux::demarrerJournal()
{
    if (m_journal.ouvert())
        return;
    if (m_etatJournal == EtatJournal::AExaminer)
        conserverJournal();
    m_etatJournal = EtatJournal::Actif;
    m_journal.commencer(cheminJournal(), baseDuJournal());
}

void Tdm_Kinolux::conserverJournal() const
{
    const QString fichier = cheminJournal();
    if (!QFileInfo::exists(fichier))
        return;
    const QString date = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    for (int n = 1; n < 1000; ++n) {
        const QString copie =
            fichier + u'.' + date + (n > 1 ? u'-' + QString::number(n) : QString()) + u".bak"_s;
        if (!QFileInfo::exists(copie) && QFile::rename(fichier, copie))
            return;
    }
}

void Tdm_Kinolux::oublierJournal()
{
    m_journal.fermer();
    if (m_etatJournal == EtatJournal::AExaminer)
        conserverJournal();
    else
        QFile::remove(cheminJournal());
}

int Tdm_Kinolux::recupererJournal()
{
    if (m_etatJournal != EtatJournal::AExaminer)
        return 0;
    int rejoues = 0;
    const QString fichier = cheminJournal();
    const Journal::Lecture lecture = Journal::lire(fichier);
    const size_t nombre = lecture.enregistrements.size();
    if (!QFileInfo::exists(fichier)) {
    } else if (!lecture.valide || lecture.base != baseDuJournal() || m_etatBase != EtatBase::Lue) {
        conserverJournal();
    } else if (nombre == 0) {
        QFile::remove(fichier);
    } else {
        const QString question =
            nombre == 1 ? u"Récupérer la modification non enregistrée ?"_s
                        : u"Récupérer les %1 modifications non enregistrées ?"_s.arg(nombre);
        if (m_dialogues && m_dialogues->question(u"Kinolux - Modifications non enregistrées"_s,
                                                 question, false) == Dialogues::Reponse::Oui) {
            // Replayed on the cards as they are; the views are told once, at the end.
            bool entier = true;
            emit catalogueAReinitialiser();
            try {
                for (const auto &enregistrement : lecture.enregistrements) {
                    for (const Journal::Changement &changement : enregistrement)
                        Journal::appliquer(changement, m_fichesFilms);
                    ++rejoues;
                }
            } catch (const Erreur &) {
                entier = false;
            }
            m_cles.clear();
            numeroterNouvelles();
            m_etatJournal = EtatJournal::Actif;
            try {
                if (entier) {
                    m_journal.reprendre(fichier, lecture.finValide);
                } else {
                    // A record that does not fit: the journal is kept aside, and a new one
                    // starts from the whole catalogue as it now is.
                    conserverJournal();
                    m_journal.commencer(fichier, baseDuJournal());
                    Journal::Changement tout{Journal::Changement::Genre::Tout, 0, 0, {}};
                    for (const auto &fiche : m_fichesFilms)
                        tout.fiches.push_back(*fiche);
                    m_journal.ajouter({tout});
                }
            } catch (const Erreur &e) {
                m_journal.fermer();
                if (m_dialogues)
                    m_dialogues->erreur(e.texte());
            }
        } else {
            conserverJournal();
        }
    }
    m_etatJournal = EtatJournal::Actif;
    rangerCorbeille();
    return rejoues;
}

void Tdm_Kinolux::rangerCorbeille()
{
    // Covers set aside by a run that did not save: back in their place when a card names it,
    // else to the desktop's trash. Usually there is none: the cards' paths are not gone through
    // at every start for nothing.
    if (QDir(dossierCorbeille()).isEmpty(QDir::Files | QDir::Hidden))
        return;
    QSet<QString> nommees;
    const QString racine = QDir(m_repertoire).absolutePath();
    for (const auto &fiche : m_fichesFilms)
        nommees.insert(
            QDir::cleanPath(QDir(racine).relativeFilePath(chemin(fiche->cheminImage()))));
    QDirIterator fichiers(dossierCorbeille(), QDir::Files | QDir::Hidden);
    while (fichiers.hasNext()) {
        const QString fichier = fichiers.next();
        const QString nom = QFileInfo(fichier).fileName();
        const qsizetype tiret = nom.indexOf(u'-', nom.indexOf(u'-') + 1);
        const QString relatif =
            tiret < 0
                ? QString()
                : QString::fromUtf8(QByteArray::fromPercentEncoding(nom.mid(tiret + 1).toLatin1()));
        const QString place = QDir(m_repertoire).filePath(relatif);
        if (!relatif.isEmpty() && nommees.contains(QDir::cleanPath(relatif)) &&
            !QFileInfo::exists(place) && QFile::rename(fichier, place))
            continue;
        versLaCorbeilleDuBureau(fichier);
    }
}
