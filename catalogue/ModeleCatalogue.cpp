#include "catalogue/ModeleCatalogue.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QLocale>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <thread>

namespace {

// Below this many cards, a second thread costs more than it spares.
constexpr size_t k_clesEnParallele = 4000;

} // namespace

ModeleCatalogue::ModeleCatalogue(const Tdm_Kinolux &dm, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dm(dm)
    , m_lignes(int(dm.fichesFilms().size()))
    , m_collation(QLocale(QLocale::French, QLocale::France))
{
    m_collation.setCaseSensitivity(Qt::CaseInsensitive);
    connect(&dm, &Tdm_Kinolux::catalogueAReinitialiser, this,
            &ModeleCatalogue::commencerReinitialisation);
    connect(&dm, &Tdm_Kinolux::catalogueReinitialise, this, &ModeleCatalogue::reinitialiser);
    connect(&dm, &Tdm_Kinolux::ficheAjoutee, this, &ModeleCatalogue::ajouter);
    connect(&dm, &Tdm_Kinolux::ficheModifiee, this, &ModeleCatalogue::modifier);
    connect(&dm, &Tdm_Kinolux::ficheASupprimer, this, &ModeleCatalogue::commencerSuppression);
    connect(&dm, &Tdm_Kinolux::ficheSupprimee, this, &ModeleCatalogue::supprimer);
}

ModeleCatalogue::~ModeleCatalogue() = default;

QModelIndex ModeleCatalogue::index(int ligne, int colonne, const QModelIndex &parent) const
{
    if (parent.isValid() || ligne < 0 || ligne >= m_lignes || colonne < 0 ||
        colonne >= ChampsFiche::NombreChamps)
        return {};
    return createIndex(ligne, colonne);
}

int ModeleCatalogue::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_lignes;
}

int ModeleCatalogue::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ChampsFiche::NombreChamps;
}

QVariant ModeleCatalogue::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lignes || index.column() >= ChampsFiche::NombreChamps)
        return {};
    const TFicheFilm &carte = fiche(index.row());
    const auto champ = static_cast<ChampsFiche::Champ>(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (champ == ChampsFiche::NiveauPreference)
            return carte.niveauPreference();
        return ChampsFiche::enTexte(carte, champ);
    case RoleIdFilm:
        return carte.idFilm();
    case RoleCle:
        return QVariant::fromValue(cle(index.row()));
    default:
        return {};
    }
}

QVariant ModeleCatalogue::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ChampsFiche::NombreChamps)
        return QAbstractTableModel::headerData(section, orientation, role);
    return ChampsFiche::libelle(static_cast<ChampsFiche::Champ>(section));
}

const Catalogue &ModeleCatalogue::fichesFilms() const
{
    return m_dm.fichesFilms();
}

const TFicheFilm &ModeleCatalogue::fiche(int ligne) const
{
    return *m_dm.fichesFilms()[size_t(ligne)];
}

CleFiche ModeleCatalogue::cle(int ligne) const
{
    return m_dm.cle(size_t(ligne));
}

int ModeleCatalogue::ligne(CleFiche cle) const
{
    return int(m_dm.indexDe(cle));
}

const std::vector<int> &ModeleCatalogue::lignesParTitre() const
{
    verifierTitres();
    return m_ordre;
}

int ModeleCatalogue::ligneDuTitre(const QString &titre) const
{
    for (const int ligne : lignesParTitre()) {
        if (fiche(ligne).titreFrancais().compare(titre, Qt::CaseInsensitive) == 0)
            return ligne;
    }
    return -1;
}

quint64 ModeleCatalogue::versionOrdre() const
{
    return m_versionOrdre;
}

ModeleCatalogue::CleTri ModeleCatalogue::cleTri(const QString &titre) const
{
    return {titre, m_collation.sortKey(titre)};
}

bool ModeleCatalogue::avant(int a, int b) const
{
    const int comparaison = m_clesTri[size_t(a)].cle.compare(m_clesTri[size_t(b)].cle);
    return comparaison < 0 || (comparaison == 0 && a < b);
}

void ModeleCatalogue::placer(int ligne)
{
    ++m_versionOrdre;
    m_ordre.insert(std::upper_bound(m_ordre.begin(), m_ordre.end(), ligne,
                                    [this](int a, int b) { return avant(a, b); }),
                   ligne);
}

void ModeleCatalogue::verifierTitres() const
{
    const Catalogue &fiches = m_dm.fichesFilms();
    bool changes = false;
    if (m_clesTri.size() != size_t(m_lignes)) {
        // Every key of a new catalogue, and the order: the second half is keyed and sorted
        // beside the first, by a collator of its own, on the titles alone; the halves are then
        // merged.
        const size_t nombre = size_t(m_lignes);
        const size_t milieu = nombre >= k_clesEnParallele ? nombre / 2 : nombre;
        std::vector<CleTri> suite;
        std::vector<int> ordreSuite;
        std::thread aide;
        if (milieu < nombre) {
            const QLocale langue = m_collation.locale();
            aide = std::thread([&fiches, &suite, &ordreSuite, milieu, nombre, langue] {
                QCollator collation(langue);
                collation.setCaseSensitivity(Qt::CaseInsensitive);
                suite.reserve(nombre - milieu);
                for (size_t i = milieu; i < nombre; ++i) {
                    const QString &titre = fiches[i]->titreFrancais();
                    suite.push_back({titre, collation.sortKey(titre)});
                }
                ordreSuite.resize(nombre - milieu);
                std::iota(ordreSuite.begin(), ordreSuite.end(), int(milieu));
                std::sort(ordreSuite.begin(), ordreSuite.end(), [&](int a, int b) {
                    const int c =
                        suite[size_t(a) - milieu].cle.compare(suite[size_t(b) - milieu].cle);
                    return c < 0 || (c == 0 && a < b);
                });
            });
        }
        m_clesTri.clear();
        m_clesTri.reserve(nombre);
        for (size_t i = 0; i < milieu; ++i)
            m_clesTri.push_back(cleTri(fiches[i]->titreFrancais()));
        m_ordre.resize(milieu);
        std::iota(m_ordre.begin(), m_ordre.end(), 0);
        std::sort(m_ordre.begin(), m_ordre.end(), [this](int a, int b) { return avant(a, b); });
        if (aide.joinable()) {
            aide.join();
            std::move(suite.begin(), suite.end(), std::back_inserter(m_clesTri));
            m_ordre.insert(m_ordre.end(), ordreSuite.begin(), ordreSuite.end());
            std::inplace_merge(m_ordre.begin(), m_ordre.begin() + qsizetype(milieu), m_ordre.end(),
                               [this](int a, int b) { return avant(a, b); });
        }
        ++m_versionOrdre;
        return;
    } else {
        for (size_t i = 0; i < m_clesTri.size(); ++i) {
            const QString &titre = fiches[i]->titreFrancais();
            const QString &connu = m_clesTri[i].titre;
            if (titre.constData() != connu.constData() || titre.size() != connu.size()) {
                m_clesTri[i] = cleTri(titre);
                changes = true;
            }
        }
    }
    if (!changes && m_ordre.size() == size_t(m_lignes))
        return;
    ++m_versionOrdre;
    m_ordre.resize(size_t(m_lignes));
    std::iota(m_ordre.begin(), m_ordre.end(), 0);
    std::sort(m_ordre.begin(), m_ordre.end(), [this](int a, int b) { return avant(a, b); });
}

void ModeleCatalogue::commencerReinitialisation()
{
    if (m_reinitialisation)
        return;
    beginResetModel();
    m_reinitialisation = true;
}

void ModeleCatalogue::reinitialiser()
{
    if (!m_reinitialisation)
        beginResetModel();
    m_reinitialisation = false;
    m_suppression = -1;
    m_lignes = int(m_dm.fichesFilms().size());
    // Made again at the first look at the order.
    m_clesTri.clear();
    m_ordre.clear();
    ++m_versionOrdre;
    endResetModel();
}

void ModeleCatalogue::ajouter(CleFiche cle)
{
    if (m_reinitialisation)
        return;
    // At the end, or back at its place when a deletion is undone.
    const int nouvelle = ligne(cle);
    if (nouvelle < 0 || nouvelle > m_lignes || int(m_dm.fichesFilms().size()) != m_lignes + 1)
        return reinitialiser();
    const bool tenu = m_clesTri.size() == size_t(m_lignes) && m_ordre.size() == size_t(m_lignes);
    beginInsertRows({}, nouvelle, nouvelle);
    ++m_lignes;
    if (tenu) {
        if (nouvelle < m_lignes - 1) {
            for (int &l : m_ordre) {
                if (l >= nouvelle)
                    ++l;
            }
        }
        m_clesTri.insert(m_clesTri.begin() + nouvelle, cleTri(fiche(nouvelle).titreFrancais()));
        placer(nouvelle);
    }
    endInsertRows();
}

void ModeleCatalogue::modifier(CleFiche cle)
{
    if (m_reinitialisation)
        return;
    const int modifiee = ligne(cle);
    if (modifiee < 0 || modifiee >= m_lignes)
        return;
    const QString &titre = fiche(modifiee).titreFrancais();
    if (m_clesTri.size() == size_t(m_lignes) && m_ordre.size() == size_t(m_lignes)) {
        CleTri &connue = m_clesTri[size_t(modifiee)];
        if (titre != connue.titre) {
            m_ordre.erase(std::find(m_ordre.begin(), m_ordre.end(), modifiee));
            connue = cleTri(titre);
            placer(modifiee);
        } else {
            // The same title written again: its key stands.
            connue.titre = titre;
        }
    }
    emit dataChanged(index(modifiee, 0), index(modifiee, ChampsFiche::NombreChamps - 1));
}

void ModeleCatalogue::commencerSuppression(CleFiche, qsizetype index)
{
    if (m_reinitialisation || index < 0 || index >= m_lignes)
        return;
    beginRemoveRows({}, int(index), int(index));
    m_suppression = index;
}

void ModeleCatalogue::supprimer(CleFiche, qsizetype index)
{
    if (m_reinitialisation)
        return;
    // Removals come announced before and after, one card at a time.
    if (m_suppression >= 0) {
        index = m_suppression;
    } else {
        if (index < 0 || index >= m_lignes)
            return reinitialiser();
        beginRemoveRows({}, int(index), int(index));
    }
    m_suppression = -1;
    const int supprimee = int(index);
    --m_lignes;
    if (m_clesTri.size() == size_t(m_lignes) + 1 && m_ordre.size() == size_t(m_lignes) + 1) {
        m_clesTri.erase(m_clesTri.begin() + supprimee);
        m_ordre.erase(std::find(m_ordre.begin(), m_ordre.end(), supprimee));
        ++m_versionOrdre;
        for (int &ligne : m_ordre) {
            if (ligne > supprimee)
                --ligne;
        }
    } else {
        m_clesTri.clear();
        m_ordre.clear();
        ++m_versionOrdre;
    }
    endRemoveRows();
}
