#include "catalogue/Tdm_Kinolux.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Dialogues.h"
#include "catalogue/DocumentXml.h"
#include "catalogue/Erreur.h"
#include "catalogue/ModeleCatalogue.h"
#include "import/ListeTitres.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QUndoStack>

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstring>
#include <future>
#include <limits>
#include <optional>
#include <string>

using namespace Qt::StringLiterals;

namespace {

const QString k_base = u"baseFilm.bdf"_s;
const QString k_modele = u"baseFilmModele.bdf"_s;
const QString k_titres = u"movies.txt"_s;

// Without parse_eol a CR in a text comes back as it was written. With parse_embed_pcdata a text
// that is an element's first child is kept as the element's value instead of a node of its own,
// which halves the nodes of a catalogue; the readers below see both forms alike.
constexpr unsigned int k_optionsLecture =
    (pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_embed_pcdata) &
    ~pugi::parse_eol;
constexpr unsigned int k_optionsModele = pugi::parse_full;

using ChampsFiche::Champ;
using ChampsFiche::Genre;
constexpr int k_nombreChamps = ChampsFiche::NombreChamps;

bool estTexte(const pugi::xml_node &noeud)
{
    const pugi::xml_node_type type = noeud.type();
    return type == pugi::node_pcdata || type == pugi::node_cdata;
}

// A text kept as the node's value: the node's first child node in the document.
bool texteIntegre(const pugi::xml_node &noeud)
{
    return noeud.type() == pugi::node_element && *noeud.value() != '\0';
}

// An element whose only child node is a text.
bool estElementTexte(const pugi::xml_node &noeud)
{
    if (noeud.type() != pugi::node_element)
        return false;
    const pugi::xml_node enfant = noeud.first_child();
    if (texteIntegre(noeud))
        return !enfant;
    return enfant && !enfant.next_sibling() && estTexte(enfant);
}

const char *texteElement(const pugi::xml_node &element)
{
    return texteIntegre(element) ? element.value() : element.first_child().value();
}

// Optional sign and decimal digits, within 32 bits; nothing else.
std::optional<qint32> entierDecimal(const char *texte)
{
    const char *p = texte;
    const bool negatif = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p == '\0')
        return std::nullopt;
    qint64 valeur = 0;
    for (; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return std::nullopt;
        valeur = valeur * 10 + (*p - '0');
        if (valeur > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    if (negatif)
        valeur = -valeur;
    if (valeur > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(valeur);
}

// The fields whose values recur from card to card, and are shared between the cards.
bool valeurCommune(Champ c)
{
    using namespace ChampsFiche;
    return c == Annee || c == Duree || c == DistributeurFR || c == TypeSupport || c == Codec ||
           c == CheminFichier || c == Commentaire;
}

std::unique_ptr<TFicheFilm> lireFiche(const pugi::xml_node &noeud,
                                      DocumentXml::TextesPartages &partages)
{
    const auto &champs = ChampsFiche::champs();
    const QString tiret = u"-"_s;
    std::array<QString, k_nombreChamps> textes;
    textes.fill(tiret);
    std::array<QStringList, k_nombreChamps> listes;
    qint32 preference = 5;

    for (pugi::xml_node enfant = noeud.first_child(); enfant; enfant = enfant.next_sibling()) {
        const Champ c = ChampsFiche::champDeElement(enfant.name());
        if (c == ChampsFiche::Aucun)
            continue;
        const Genre genre = champs[c].genre;
        if (estElementTexte(enfant)) {
            const char *valeur = texteElement(enfant);
            if (genre == Genre::Texte) {
                textes[c] =
                    valeurCommune(c) ? partages.texte(valeur) : DocumentXml::depuisUtf8(valeur);
            } else if (genre == Genre::Entier) {
                const std::optional<qint32> entier = entierDecimal(valeur);
                if (!entier)
                    throw Erreur(
                        u"'%1' is not a valid integer value"_s.arg(QString::fromUtf8(valeur)));
                preference = *entier;
            }
        } else if (genre == Genre::Liste) {
            Tdm_Kinolux::lireOccurences(listes[c], enfant, &partages);
        }
    }

    auto fiche = std::make_unique<TFicheFilm>(std::move(textes[ChampsFiche::IdFilm]));
    for (int i = 0; i < k_nombreChamps; ++i) {
        const ChampsFiche::Description &d = champs[size_t(i)];
        if (d.ecrireTexte)
            (*fiche.*d.ecrireTexte)(textes[size_t(i)]);
        else if (d.listePropre)
            (*fiche.*d.listePropre)() = std::move(listes[size_t(i)]);
        else if (d.ecrireEntier)
            (*fiche.*d.ecrireEntier)(preference);
    }
    return fiche;
}

// An empty text gives an element with no content.
void ecrireTexte(pugi::xml_node &element, const QString &texte, std::string &tampon)
{
    tampon.clear();
    DocumentXml::versUtf8Xml(texte, tampon);
    if (!tampon.empty())
        element.append_child(pugi::node_pcdata).set_value(tampon.data(), tampon.size());
}

void ecrireListe(const QStringList &liste, pugi::xml_node &element, std::string &tampon)
{
    for (const QString &entree : liste) {
        pugi::xml_node occurence = element.append_child("occurence");
        ecrireTexte(occurence, entree, tampon);
    }
}

void ecrireFiche(pugi::xml_node &liste, const TFicheFilm &fiche, std::string &tampon)
{
    pugi::xml_node noeud = liste.append_child("ficheFilm");
    for (const ChampsFiche::Description &d : ChampsFiche::champs()) {
        pugi::xml_node element = noeud.append_child(d.element);
        switch (d.genre) {
        case Genre::Texte:
            ecrireTexte(element, (fiche.*d.texte)(), tampon);
            break;
        case Genre::Liste:
            ecrireListe((fiche.*d.liste)(), element, tampon);
            break;
        case Genre::Entier:
            element.text().set((fiche.*d.entier)());
            break;
        }
    }
}

QString natif(const QString &chemin)
{
    return QDir::toNativeSeparators(chemin);
}

// The cards of a parsed catalogue, appended one by one: those before a bad card stay.
void lireDocument(const pugi::xml_document &document, Catalogue &fiches)
{
    // The document element's first child node, then its first child node. A text kept as a
    // value stands first; it has no child of its own.
    const pugi::xml_node element = document.document_element();
    const pugi::xml_node racine = element.first_child();
    if (texteIntegre(element) || !racine)
        throw Erreur(u"List index out of bounds (0)"_s);
    const pugi::xml_node liste = texteIntegre(racine) ? pugi::xml_node() : racine.first_child();
    if (!texteIntegre(racine) && !liste)
        throw Erreur(u"List index out of bounds (0)"_s);

    // Every child node is a card, a leading text too.
    size_t nombre = texteIntegre(liste) ? 1 : 0;
    for (pugi::xml_node noeud = liste.first_child(); noeud; noeud = noeud.next_sibling())
        ++nombre;
    fiches.reserve(fiches.size() + nombre);
    DocumentXml::TextesPartages partages;
    if (texteIntegre(liste))
        fiches.push_back(lireFiche(pugi::xml_node(), partages));
    for (pugi::xml_node noeud = liste.first_child(); noeud; noeud = noeud.next_sibling())
        fiches.push_back(lireFiche(noeud, partages));
}

} // namespace

Tdm_Kinolux::Tdm_Kinolux(const QString &repertoire, Dialogues *dialogues, QObject *parent)
    : QObject(parent)
    , m_repertoire(repertoire)
    , m_dialogues(dialogues)
    , m_hotes(Hotes::lire(repertoire))
    , m_modele(std::make_unique<ModeleCatalogue>(*this))
{
    DataModuleCreate();
}

Tdm_Kinolux::~Tdm_Kinolux()
{
    DataModuleDestroy();
}

QString Tdm_Kinolux::chemin(const QString &relatif) const
{
    QString nom = relatif;
    nom.replace(u'\\', u'/');
    return QDir(m_repertoire).filePath(nom);
}

QString Tdm_Kinolux::cheminInterieur(const QString &relatif) const
{
    QString racine = QDir(m_repertoire).absolutePath();
    if (!racine.endsWith(u'/'))
        racine += u'/';
    const QString fichier = QDir::cleanPath(QFileInfo(chemin(relatif)).absoluteFilePath());
    return fichier.size() > racine.size() && fichier.startsWith(racine) ? fichier : QString();
}

void Tdm_Kinolux::DataModuleCreate()
{
    // An absent or unreadable index gives an empty one; the catalogue exists either way.
    m_listeTitres = ListeTitres::lire(chemin(k_titres));
    m_fichesFilms.clear();
    m_cles.clear();
}

void Tdm_Kinolux::DataModuleDestroy()
{
    m_listeTitres.clear();
    // The journal stays on the disk: a run that ends without tearing its catalogue down has not
    // settled its changes.
    m_journal.fermer();
    m_etatJournal = EtatJournal::Eteint;
    m_pileAnnulation.reset();
    emit catalogueAReinitialiser();
    viderFiches();
    emit catalogueReinitialise();
}

bool Tdm_Kinolux::ajouterFicheFilm(std::unique_ptr<TFicheFilm> &fiche)
{
    if (!fiche)
        return false;
    for (const auto &existante : m_fichesFilms) {
        if (existante->idFilm() == fiche->idFilm())
            return false;
    }
    Etape etape(*this);
    const QString cheminImage = fiche->cheminImage();
    Journal::Changement ajout{
        Journal::Changement::Genre::Inserer, qint64(m_fichesFilms.size()), 0, {}};
    ajout.fiches.push_back(*fiche);
    Operation operation{std::move(ajout), {}, {}};
    operation.objets.push_back(std::move(fiche));
    appliquer(std::move(operation));
    // Undoing the addition sets its cover aside, unless another card shows it too.
    const auto autres =
        std::count_if(m_fichesFilms.begin(), m_fichesFilms.end(),
                      [&](const auto &f) { return f->cheminImage() == cheminImage; });
    if (autres == 1 && !couvertureDeplacable(cheminImage).isEmpty())
        conserverCouvertureAbsente(cheminImage);
    return true;
}

void Tdm_Kinolux::viderFiches()
{
    while (!m_fichesFilms.empty())
        m_fichesFilms.pop_back();
    m_cles.clear();
}

void Tdm_Kinolux::detruireFichesFilms()
{
    // The catalogue is torn down when the program ends, saved or not as the user chose: its
    // journal and its history end with it.
    oublierJournal();
    m_etatJournal = EtatJournal::Eteint;
    if (m_pileAnnulation)
        m_pileAnnulation->clear();
    emit catalogueAReinitialiser();
    viderFiches();
    emit catalogueReinitialise();
}

qsizetype Tdm_Kinolux::indexDe(CleFiche cle) const
{
    // Numbers grow along the catalogue: the card is at or before the place of its number.
    const auto position = std::lower_bound(m_cles.begin(), m_cles.end(), cle);
    return position != m_cles.end() && *position == cle ? position - m_cles.begin() : -1;
}

const TFicheFilm *Tdm_Kinolux::fiche(CleFiche cle) const
{
    const qsizetype index = indexDe(cle);
    return index < 0 ? nullptr : m_fichesFilms[size_t(index)].get();
}

void Tdm_Kinolux::modifierFiche(CleFiche cle, const std::function<void(TFicheFilm &)> &modification)
{
    const qsizetype index = indexDe(cle);
    if (index < 0)
        return;
    Etape etape(*this);
    // The change is made on a copy, which then takes the card's place: the step keeps the card
    // as it was. A change that raises half-way is kept as far as it went, as it would be in place.
    struct Application
    {
        Tdm_Kinolux &dm;
        qsizetype index;
        TFicheFilm copie;
        ~Application()
        {
            if (copie == *dm.m_fichesFilms[size_t(index)]) {
                emit dm.ficheModifiee(dm.m_cles[size_t(index)]);
                return;
            }
            dm.appliquer(
                {{Journal::Changement::Genre::Remplacer, index, 0, {std::move(copie)}}, {}, {}});
        }
    } application{*this, index, *m_fichesFilms[size_t(index)]};
    modification(application.copie);
}

void Tdm_Kinolux::adopterFiches(Catalogue fiches)
{
    // The cards keep their objects; the journal and the undo history take copies.
    Operation ajout{
        {Journal::Changement::Genre::Inserer, qint64(m_fichesFilms.size()), 0, {}}, {}, {}};
    for (auto &fiche : fiches) {
        if (!fiche)
            continue;
        ajout.changement.fiches.push_back(*fiche);
        ajout.objets.push_back(std::move(fiche));
    }
    if (ajout.objets.size() == 1) {
        // Announced as a new catalogue, as any number of adopted cards.
        emit catalogueAReinitialiser();
        appliquer(std::move(ajout));
        emit catalogueReinitialise();
    } else if (!ajout.objets.empty()) {
        appliquer(std::move(ajout));
    }
}

Catalogue Tdm_Kinolux::echangerFiches(Catalogue fiches)
{
    Operation tout{{Journal::Changement::Genre::Tout, 0, 0, {}}, {}, {}};
    for (auto &fiche : fiches) {
        if (!fiche)
            continue;
        tout.changement.fiches.push_back(*fiche);
        tout.objets.push_back(std::move(fiche));
    }
    Operation ancienne = appliquer(std::move(tout));
    Catalogue anciennes;
    anciennes.reserve(ancienne.changement.fiches.size());
    for (TFicheFilm &fiche : ancienne.changement.fiches)
        anciennes.push_back(std::make_unique<TFicheFilm>(fiche));
    return anciennes;
}

void Tdm_Kinolux::numeroterNouvelles()
{
    m_cles.reserve(m_fichesFilms.size());
    while (m_cles.size() < m_fichesFilms.size())
        m_cles.push_back(m_prochaineCle++);
    emit catalogueReinitialise();
}

bool Tdm_Kinolux::supprimerFiche(const QString &idFilmDonne)
{
    // A copy: the identifier given is often the one of a card about to be destroyed.
    const QString idFilm = idFilmDonne;
    const QString question = u"Etes-vous sûr de vouloir supprimer \""_s + idFilm + u"\" ?"_s;
    if (!m_dialogues ||
        m_dialogues->question(u"Confirmation"_s, question, true) != Dialogues::Reponse::Oui)
        return false;

    bool supprime = false;
    Etape etape(*this);
    QHash<QString, int> couvertures = couverturesMontrees();
    for (auto i = m_fichesFilms.size(); i-- > 0;) {
        if (m_fichesFilms[i]->idFilm() != idFilm)
            continue;
        retirerFiche(qsizetype(i), couvertures);
        supprime = true;
    }
    return supprime;
}

int Tdm_Kinolux::supprimerFiches(const std::vector<CleFiche> &cles)
{
    int supprimees = 0;
    Etape etape(*this,
                cles.size() > 1 ? u"la suppression de %1 fiches"_s.arg(cles.size()) : QString());
    QHash<QString, int> couvertures = couverturesMontrees();
    for (const CleFiche cle : cles) {
        const qsizetype i = indexDe(cle);
        if (i < 0)
            continue;
        retirerFiche(i, couvertures);
        ++supprimees;
    }
    return supprimees;
}

QHash<QString, int> Tdm_Kinolux::couverturesMontrees() const
{
    QHash<QString, int> nombres;
    nombres.reserve(qsizetype(m_fichesFilms.size()));
    for (const auto &fiche : m_fichesFilms)
        ++nombres[fiche->cheminImage()];
    return nombres;
}

void Tdm_Kinolux::retirerFiche(qsizetype index, QHash<QString, int> &couvertures)
{
    // Its cover goes to the bin, and to the desktop's trash once the deletion is saved; a cover
    // that another card shows stays.
    const QString cheminImage = m_fichesFilms[size_t(index)]->cheminImage();
    appliquer({{Journal::Changement::Genre::Retirer, index, 1, {}}, {}, {}});
    if (--couvertures[cheminImage] <= 0)
        mettreCouvertureDeCote(cheminImage);
}

void Tdm_Kinolux::lireBaseFilms()
{
    // A journal there is looked at once the catalogue is read (recupererJournal); the history
    // of other cards has no sense any more.
    m_journal.fermer();
    m_etatJournal = EtatJournal::AExaminer;
    if (m_pileAnnulation)
        m_pileAnnulation->clear();
    emit catalogueAReinitialiser();
    viderFiches();
    // The cards read before a bad one stay, and are announced as the new catalogue.
    struct Annonce
    {
        Tdm_Kinolux &dm;
        ~Annonce() { dm.numeroterNouvelles(); }
    } annonce{*this};
    const QString fichier = chemin(k_base);
    // The fingerprint is taken on the other core while the file is read; kept however the
    // reading ends.
    struct Empreinte
    {
        std::future<SauvegardesBase::Empreinte> calcul;
        std::optional<SauvegardesBase::Empreinte> &cible;
        ~Empreinte() { cible = calcul.get(); }
    } empreinte{std::async(std::launch::async,
                           [fichier] { return SauvegardesBase::Empreinte::de(fichier); }),
                m_empreinte};
    if (!QFileInfo::exists(fichier)) {
        m_etatBase = EtatBase::Lue;
        return;
    }
    // Stays so unless the whole file is read.
    m_etatBase = EtatBase::Illisible;

    DocumentXml::Tampon tampon;
    pugi::xml_document document;
    const DocumentXml::Chargement chargement =
        DocumentXml::charger(fichier, document, tampon, k_optionsLecture);
    if (!chargement.ouvert)
        throw Erreur(u"Impossible de lire le catalogue « %1 » : %2"_s.arg(natif(fichier),
                                                                          chargement.raison));
    if (!chargement.analyse)
        throw Erreur(chargement.raison);
    lireDocument(document, m_fichesFilms);
    m_etatBase = EtatBase::Lue;
}

void Tdm_Kinolux::lireFiches(QByteArrayView octets, Catalogue &fiches)
{
    DocumentXml::Tampon tampon;
    pugi::xml_document document;
    const DocumentXml::Chargement chargement =
        DocumentXml::chargerOctets(octets, document, tampon, k_optionsLecture);
    if (!chargement.analyse)
        throw Erreur(chargement.raison);
    lireDocument(document, fiches);
}

void Tdm_Kinolux::ecrireBaseFilms()
{
    const QString fichier = chemin(k_base);
    const bool existe = QFileInfo::exists(fichier);
    // The file was never read in this run: with nothing in memory there is nothing to save.
    if (m_etatBase == EtatBase::NonLue && existe && m_fichesFilms.empty())
        return;

    const QString modele = chemin(k_modele);
    DocumentXml::Tampon tamponModele;
    pugi::xml_document document;
    const DocumentXml::Chargement chargement =
        DocumentXml::charger(modele, document, tamponModele, k_optionsModele);
    if (!chargement.analyse)
        throw Erreur(
            u"Impossible d'utiliser le modèle « %1 » : %2"_s.arg(natif(modele), chargement.raison));

    // The saved file is always UTF-8, whatever the template's declaration said.
    for (pugi::xml_node noeud = document.first_child(); noeud; noeud = noeud.next_sibling()) {
        if (noeud.type() != pugi::node_declaration)
            continue;
        pugi::xml_attribute encodage = noeud.attribute("encoding");
        if (encodage && qstricmp(encodage.value(), "UTF-8") != 0)
            encodage.set_value("UTF-8");
    }

    // racine goes first even if the template's document element holds something, so that the
    // reader finds it.
    pugi::xml_node element = document.document_element();
    pugi::xml_node racine = element.prepend_child("racine");
    pugi::xml_node liste = racine.append_child("listeFichesFilms");
    std::string tampon;
    for (const auto &fiche : m_fichesFilms)
        ecrireFiche(liste, *fiche, tampon);

    // Another program, a sync tool or a restored backup changed the file: never overwritten
    // without a word.
    bool conservee = false;
    if (m_empreinte && SauvegardesBase::changee(*m_empreinte, fichier)) {
        if (m_dialogues &&
            m_dialogues->question(
                u"Kinolux - Catalogue modifié"_s,
                u"Le catalogue « %1 » a été modifié sur le disque depuis que Kinolux l'a lu.\n"
                "L'écraser ? L'autre version sera d'abord conservée sous un nom daté (.bak)."_s.arg(
                    natif(fichier)),
                false) != Dialogues::Reponse::Oui)
            throw CommandeAbandonnee{};
        conserverBase(fichier);
        conservee = true;
    }
    if (existe && m_etatBase != EtatBase::Lue) {
        if (!conservee)
            conserverBase(fichier);
        m_etatBase = EtatBase::Lue;
    }

    // QSaveFile writes beside the file and renames only once everything is written.
    QCryptographicHash hash(SauvegardesBase::k_algorithme);
    QSaveFile sortie(fichier);
    bool ecrit = sortie.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (ecrit) {
        DocumentXml::EcrivainPeripherique ecrivain(sortie, &hash);
        document.save(ecrivain, "", pugi::format_raw, pugi::encoding_utf8);
        ecrit = ecrivain.terminer();
        // The file being replaced is kept once the new one is whole, just before it takes its
        // place.
        if (ecrit) {
            SauvegardesBase::tourner(fichier);
            ecrit = sortie.commit();
        }
    }
    if (!ecrit) {
        const QString raison = sortie.errorString();
        sortie.cancelWriting();
        throw Erreur(
            u"Impossible d'enregistrer le catalogue « %1 » : %2"_s.arg(natif(fichier), raison));
    }
    m_etatBase = EtatBase::Lue;
    m_empreinte = SauvegardesBase::Empreinte::ecrite(fichier, hash.result());
    // What the journal held is in the file now; the next change starts a journal of this file.
    if (m_etatJournal != EtatJournal::Eteint) {
        oublierJournal();
        m_etatJournal = EtatJournal::Actif;
    }
    viderCorbeille();
    if (m_pileAnnulation)
        m_pileAnnulation->setClean();
}

QList<SauvegardesBase::Sauvegarde> Tdm_Kinolux::sauvegardes() const
{
    return SauvegardesBase::lister(chemin(k_base));
}

void Tdm_Kinolux::restaurerSauvegarde(const QString &fichier)
{
    QFile entree(fichier);
    if (!entree.open(QIODevice::ReadOnly))
        throw Erreur(u"Impossible de lire la sauvegarde « %1 » : %2"_s.arg(natif(fichier),
                                                                           entree.errorString()));
    Catalogue fiches;
    lireFiches(entree.readAll(), fiches);
    echangerFiches(std::move(fiches));
}

void Tdm_Kinolux::conserverBase(const QString &fichier) const
{
    const QString date = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    QString copie;
    for (int n = 1; n < 1000; ++n) {
        copie = fichier + u'.' + date + (n > 1 ? u'-' + QString::number(n) : QString()) + u".bak"_s;
        if (QFileInfo::exists(copie))
            continue;
        QFile source(fichier);
        if (source.copy(copie))
            return;
        throw Erreur(u"Impossible de conserver une copie du catalogue « %1 » avant de "
                     "l'enregistrer : %2"_s.arg(natif(fichier), source.errorString()));
    }
    throw Erreur(u"Impossible de conserver une copie du catalogue « %1 » avant de "
                 "l'enregistrer : trop de copies datées."_s.arg(natif(fichier)));
}

void Tdm_Kinolux::lireOccurences(QStringList &liste, const pugi::xml_node &element,
                                 DocumentXml::TextesPartages *partages)
{
    qsizetype nombre = 0;
    for (pugi::xml_node enfant = element.first_child(); enfant; enfant = enfant.next_sibling())
        ++nombre;
    liste.reserve(liste.size() + nombre);
    for (pugi::xml_node enfant = element.first_child(); enfant; enfant = enfant.next_sibling()) {
        if (enfant.type() != pugi::node_element || std::strcmp(enfant.name(), "occurence") != 0)
            continue;
        // An empty entry is kept and reading goes on.
        if (!texteIntegre(enfant) && !enfant.first_child()) {
            liste.append(QString());
            continue;
        }
        if (!estElementTexte(enfant))
            throw Erreur(u"Element does not contain a single text node"_s);
        const char *valeur = texteElement(enfant);
        liste.append(partages ? partages->texte(valeur) : DocumentXml::depuisUtf8(valeur));
    }
}

void Tdm_Kinolux::ecrireOccurences(const QStringList &liste, pugi::xml_node &element)
{
    std::string tampon;
    ecrireListe(liste, element, tampon);
}
