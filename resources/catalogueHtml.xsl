<?xml version="1.0" encoding="UTF-8"?>
<!--
  The HTML catalogue of Kinolux: index.html (this transform's own result), one page per film
  (exsl:document) and the shared style sheet catalogue.css. Input: catalogueHtml, as written by
  CatalogueHtml::documentXml. Run it with the output named, so that the pages land beside it:
    xsltproc -o DOSSIER/index.html catalogueHtml.xsl catalogue.xml
  The program runs it on parts of the catalogue at once, with the parameters "index" and "pages".
  The output is XHTML 1.0, which libxml2 writes so that browsers read it as HTML (empty elements
  closed by an end tag, void ones as "<br />"); the inline script holds no character that XML
  would escape.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:exsl="http://exslt.org/common"
    extension-element-prefixes="exsl">

  <xsl:output method="xml" encoding="UTF-8" omit-xml-declaration="yes"
      doctype-public="-//W3C//DTD XHTML 1.0 Strict//EN"
      doctype-system="http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd"/>

  <!-- 1: index.html and catalogue.css; 1: a page for each film of the document. -->
  <xsl:param name="index" select="1"/>
  <xsl:param name="pages" select="1"/>

  <xsl:key name="lettre" match="ficheFilm" use="@lettre"/>
  <xsl:key name="libelle" match="libelle" use="@champ"/>

  <xsl:variable name="lettres" select="'#ABCDEFGHIJKLMNOPQRSTUVWXYZ'"/>
  <xsl:variable name="fiches" select="/catalogueHtml/listeFichesFilms/ficheFilm"/>

  <xsl:template match="/">
    <xsl:if test="$pages = 1">
      <xsl:apply-templates select="$fiches" mode="page"/>
    </xsl:if>
    <xsl:if test="$index = 1">
      <exsl:document href="catalogue.css" method="text" encoding="UTF-8">
        <xsl:call-template name="feuilleCss"/>
      </exsl:document>
      <xsl:call-template name="index"/>
    </xsl:if>
  </xsl:template>

  <!-- The entries of a list field, joined by commas. -->
  <xsl:template match="realisateurs | nationnalites | genres | acteurs | motsCles" mode="liste">
    <xsl:for-each select="occurence">
      <xsl:if test="position() != 1">, </xsl:if>
      <xsl:value-of select="."/>
    </xsl:for-each>
  </xsl:template>

  <!-- index.html -->
  <xsl:template name="index">
    <xsl:variable name="nombre" select="count($fiches)"/>
    <html lang="fr" xml:lang="fr">
      <head>
        <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
        <meta name="viewport" content="width=device-width, initial-scale=1"/>
        <title>Kinolux – Catalogue des films</title>
        <link rel="stylesheet" href="catalogue.css"/>
      </head>
      <body class="index">
        <div class="bandeau">
          <h1>Kinolux – Catalogue des films</h1>
          <p>
            <xsl:value-of select="$nombre"/>
            <xsl:choose>
              <xsl:when test="$nombre &gt; 1"> films</xsl:when>
              <xsl:otherwise> film</xsl:otherwise>
            </xsl:choose>
          </p>
        </div>
        <div class="lettres">
          <xsl:call-template name="lettres">
            <xsl:with-param name="reste" select="$lettres"/>
          </xsl:call-template>
        </div>
        <table id="films" class="films">
          <thead>
            <tr>
              <th class="vignette"><xsl:value-of select="key('libelle', 'cheminImage')"/></th>
              <th data-tri="rang"><xsl:value-of select="key('libelle', 'titreFrancais')"/></th>
              <th data-tri="texte"><xsl:value-of select="key('libelle', 'annee')"/></th>
              <th data-tri="texte"><xsl:value-of select="key('libelle', 'genres')"/></th>
              <th data-tri="texte"><xsl:value-of select="key('libelle', 'realisateurs')"/></th>
              <th data-tri="nombre"><xsl:value-of select="key('libelle', 'niveauPreference')"/></th>
            </tr>
          </thead>
          <tbody>
            <xsl:apply-templates select="$fiches" mode="ligne"/>
          </tbody>
        </table>
        <script>
          <xsl:call-template name="scriptTri"/>
        </script>
      </body>
    </html>
  </xsl:template>

  <!-- The letter bar: every letter, a link to the first film filed under it when there is one. -->
  <xsl:template name="lettres">
    <xsl:param name="reste"/>
    <xsl:if test="string-length($reste) != 0">
      <xsl:variable name="lettre" select="substring($reste, 1, 1)"/>
      <xsl:variable name="premiere" select="key('lettre', $lettre)[1]"/>
      <xsl:choose>
        <xsl:when test="$premiere">
          <a href="#{$premiere/@ancre}"><xsl:value-of select="$lettre"/></a>
        </xsl:when>
        <xsl:otherwise>
          <span><xsl:value-of select="$lettre"/></span>
        </xsl:otherwise>
      </xsl:choose>
      <xsl:call-template name="lettres">
        <xsl:with-param name="reste" select="substring($reste, 2)"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <xsl:template match="ficheFilm" mode="ligne">
    <tr id="{@ancre}">
      <td class="vignette">
        <a href="{@page}">
          <xsl:choose>
            <xsl:when test="string(@couverture)">
              <img src="{@couverture}" alt="" loading="lazy"/>
            </xsl:when>
            <xsl:otherwise><span class="sans-couverture"></span></xsl:otherwise>
          </xsl:choose>
        </a>
      </td>
      <td class="titre">
        <a href="{@page}"><xsl:value-of select="titreFrancais"/></a>
      </td>
      <td><xsl:value-of select="annee"/></td>
      <td><xsl:apply-templates select="genres" mode="liste"/></td>
      <td><xsl:apply-templates select="realisateurs" mode="liste"/></td>
      <td class="preference"><xsl:value-of select="niveauPreference"/></td>
    </tr>
  </xsl:template>

  <!-- The page of a film, with every field of its card. -->
  <xsl:template match="ficheFilm" mode="page">
    <exsl:document href="{@page}" method="xml" encoding="UTF-8" omit-xml-declaration="yes"
        doctype-public="-//W3C//DTD XHTML 1.0 Strict//EN"
        doctype-system="http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">
      <html lang="fr" xml:lang="fr">
        <head>
          <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
          <meta name="viewport" content="width=device-width, initial-scale=1"/>
          <title><xsl:value-of select="titreFrancais"/> – Kinolux</title>
          <link rel="stylesheet" href="../catalogue.css"/>
        </head>
        <body class="page">
          <div class="bandeau">
            <a class="retour" href="../index.html#{@ancre}">&#8592; Catalogue</a>
            <h1><xsl:value-of select="titreFrancais"/></h1>
            <p>
              <xsl:value-of select="annee"/>
              <xsl:if test="realisateurs/occurence">
                <xsl:text> – </xsl:text>
                <xsl:apply-templates select="realisateurs" mode="liste"/>
              </xsl:if>
            </p>
          </div>
          <div class="voisins">
            <xsl:if test="string(@precedente)">
              <a class="precedent" href="../{@precedente}">&#8249; Film précédent</a>
            </xsl:if>
            <xsl:if test="string(@suivante)">
              <a class="suivant" href="../{@suivante}">Film suivant &#8250;</a>
            </xsl:if>
          </div>
          <div class="fiche">
            <div class="couverture">
              <xsl:choose>
                <xsl:when test="string(@couverture)">
                  <img src="../{@couverture}" alt="{titreFrancais}"/>
                </xsl:when>
                <xsl:otherwise><div class="sans-couverture">Pas d'image</div></xsl:otherwise>
              </xsl:choose>
            </div>
            <dl class="champs">
              <xsl:for-each select="*">
                <dt><xsl:value-of select="key('libelle', local-name())"/></dt>
                <dd>
                  <xsl:for-each select="occurence">
                    <xsl:if test="position() != 1">, </xsl:if>
                    <xsl:value-of select="."/>
                  </xsl:for-each>
                  <xsl:value-of select="text()"/>
                </dd>
              </xsl:for-each>
            </dl>
          </div>
        </body>
      </html>
    </exsl:document>
  </xsl:template>

  <!-- A click on a heading sorts the rows by that column, a second click the other way. The
       table reads the same without it, in the catalogue's order. No "<", ">" or "&" here: the
       page is written as XML, which would escape them. -->
  <xsl:template name="scriptTri">
(function () {
  var table = document.getElementById('films');
  if (!table || !table.tHead || !table.tBodies.length) return;
  var corps = table.tBodies[0];
  var entetes = table.tHead.rows[0].cells;
  // The rows in the catalogue's order, which is the order by title.
  var lignes = Array.prototype.slice.call(corps.rows);
  var colonneTriee = 1, sens = 1;
  function trier(colonne, genre) {
    sens = colonne === colonneTriee ? -sens : 1;
    colonneTriee = colonne;
    var cles = lignes.map(function (ligne, rang) {
      var texte = ligne.cells[colonne].textContent.trim();
      return { ligne: ligne, rang: rang, texte: texte, nombre: parseFloat(texte) };
    });
    cles.sort(function (a, b) {
      var d = 0;
      if (genre === 'nombre') {
        d = (isNaN(a.nombre) ? -1e9 : a.nombre) - (isNaN(b.nombre) ? -1e9 : b.nombre);
      } else if (genre === 'texte') {
        d = a.texte.localeCompare(b.texte, 'fr', { numeric: true, sensitivity: 'base' });
      } else {
        d = a.rang - b.rang;
      }
      return d * sens || a.rang - b.rang;
    });
    var morceau = document.createDocumentFragment();
    cles.forEach(function (cle) { morceau.appendChild(cle.ligne); });
    corps.appendChild(morceau);
    Array.prototype.forEach.call(entetes, function (th, rang) {
      th.classList.remove('croissant', 'decroissant');
      if (rang === colonne) th.classList.add(sens === 1 ? 'croissant' : 'decroissant');
    });
  }
  Array.prototype.forEach.call(entetes, function (th, colonne) {
    var genre = th.getAttribute('data-tri');
    if (!genre) return;
    th.classList.add('triable');
    th.title = 'Trier par cette colonne';
    th.addEventListener('click', function () { trier(colonne, genre); });
  });
  entetes[1].classList.add('croissant');
})();
</xsl:template>

  <xsl:template name="feuilleCss">
/* Kinolux: the HTML catalogue. */
* { box-sizing: border-box; }
html { background: #cbc6d3; }
body {
  margin: 0 auto;
  max-width: 1200px;
  min-height: 100vh;
  background: #fffbf0;
  color: #201d26;
  font: 14px/1.4 "DejaVu Sans", Verdana, Arial, sans-serif;
  box-shadow: 0 0 0 6px #3e3947;
}
a { color: #3e3170; }
.bandeau {
  position: relative;
  padding: 14px 20px 12px;
  background: linear-gradient(#9992a8, #333038 45%, #000 100%);
  color: #fff;
  text-align: center;
  border-bottom: 2px solid #000;
}
.bandeau h1 { margin: 0; font-size: 22px; letter-spacing: 0.02em; text-shadow: 0 1px 2px #000; }
.bandeau p { margin: 4px 0 0; color: #ddd8e6; }
.bandeau .retour {
  position: absolute; left: 16px; top: 16px;
  color: #fff; text-decoration: none; font-weight: bold;
}
.bandeau .retour:hover { text-decoration: underline; }
.lettres {
  position: sticky; top: 0; z-index: 1;
  display: flex; flex-wrap: wrap; justify-content: center; gap: 2px;
  padding: 6px 10px;
  background: #e8e4ee;
  border-bottom: 1px solid #aea5bf;
}
.lettres a, .lettres span {
  min-width: 26px; padding: 3px 6px;
  text-align: center; font-weight: bold; text-decoration: none;
  border-radius: 3px;
}
.lettres a { color: #fff; background: #3e3947; }
.lettres a:hover { background: #000; }
.lettres span { color: #aea5bf; }
table.films { width: 100%; border-collapse: collapse; }
.films th {
  position: sticky; top: 37px;
  padding: 5px 8px;
  background: linear-gradient(#fdfdfd, #e4e1ea);
  border: 1px solid #aea5bf;
  font-weight: normal; text-align: left; white-space: nowrap;
}
.films th.triable { cursor: pointer; }
.films th.triable:hover { background: #d6d1de; }
.films th.croissant::after { content: " \25B2"; font-size: 10px; }
.films th.decroissant::after { content: " \25BC"; font-size: 10px; }
.films td { padding: 3px 8px; border: 1px solid #e3dccb; vertical-align: middle; }
.films tbody tr:nth-child(odd) { background: #fffbf0; }
.films tbody tr:nth-child(even) { background: #f6f0e2; }
.films tbody tr:hover { background: #e9e2f2; }
.films tbody tr:target { background: #fbe7a6; }
.films td.titre a { color: #201d26; font-weight: bold; text-decoration: none; }
.films td.titre a:hover { text-decoration: underline; }
.films td.preference { text-align: center; }
.films .vignette { width: 56px; text-align: center; }
.films .vignette img, .films .vignette .sans-couverture {
  display: block; width: 40px; height: 56px; margin: 0 auto;
}
.films .vignette img { object-fit: cover; border: 1px solid #6f6c66; }
.sans-couverture {
  background: repeating-linear-gradient(135deg, #e4e1ea 0 6px, #d6d1de 6px 12px);
  border: 1px solid #aea5bf;
  color: #6f6c66;
}
.voisins {
  display: flex; justify-content: space-between; gap: 10px;
  padding: 6px 16px;
  background: #e8e4ee;
  border-bottom: 1px solid #aea5bf;
}
.voisins a { text-decoration: none; }
.voisins a:hover { text-decoration: underline; }
.voisins .suivant { margin-left: auto; }
.fiche { display: flex; flex-wrap: wrap; align-items: flex-start; gap: 24px; padding: 20px; }
.fiche .couverture img {
  display: block; max-width: 260px; height: auto;
  border: 1px solid #3e3947; box-shadow: 3px 3px 8px rgba(0, 0, 0, 0.35);
}
.fiche .couverture .sans-couverture {
  display: flex; align-items: center; justify-content: center;
  width: 180px; height: 256px;
  font-style: italic;
}
dl.champs {
  flex: 1 1 480px;
  display: grid; grid-template-columns: 11em 1fr;
  margin: 0;
  border: 1px solid #e3dccb;
}
.champs dt, .champs dd { margin: 0; padding: 5px 10px; border-bottom: 1px solid #e3dccb; }
.champs dt { background: #ebe6f0; color: #3e3947; text-align: right; }
.champs dd { background: #fffbf0; white-space: pre-line; overflow-wrap: anywhere; }
.champs dd:nth-of-type(even) { background: #f6f0e2; }
.champs dt:nth-of-type(2) + dd { font-weight: bold; }
</xsl:template>

</xsl:stylesheet>
