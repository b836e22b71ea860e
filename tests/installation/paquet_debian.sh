#!/usr/bin/env bash
# Construit le paquet Debian, le dépaquette dans une racine temporaire, lance le programme
# dépaqueté hors écran en utilisateur sans privilège avec un dossier personnel temporaire,
# lui fait enregistrer la base, puis vérifie que la base est arrivée dans le dossier de données
# de ce dossier personnel et que rien n'a changé dans le /usr dépaqueté.
# Usage : paquet_debian.sh CONFIGURATION_CPACK VERSION
# Code 77 (sauté) quand aucun utilisateur sans privilège n'est disponible.
set -euo pipefail
config="$1"
version="$2"
echouer() { echo "ÉCHEC : $*" >&2; exit 1; }

travail="$(mktemp -d "${TMPDIR:-/tmp}/vatrelix-paquet-XXXXXX")"
racine="$travail/racine"
nettoyer() {
  chmod -R u+w "$travail" 2>/dev/null || true
  rm -rf "$travail"
}
trap nettoyer EXIT

# L'utilisateur qui lance le programme : soi-même sans privilège, ou nobody depuis root.
if [[ $(id -u) -eq 0 ]]; then
  command -v setpriv >/dev/null && id nobody >/dev/null 2>&1 \
    || { echo "SAUTÉ : root, sans setpriv ou sans l'utilisateur nobody" >&2; exit 77; }
  lanceur=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --)
  proprietaire="nobody:$(id -g nobody)"
else
  lanceur=()
  proprietaire="$(id -u):$(id -g)"
fi

cpack -G DEB --config "$config" -B "$travail/cpack" >"$travail/cpack.log" 2>&1 \
  || { cat "$travail/cpack.log" >&2; echouer "cpack -G DEB"; }
paquet="$travail/cpack/vatrelix_${version}_$(dpkg --print-architecture).deb"
[[ -s "$paquet" ]] || echouer "paquet $(basename "$paquet") absent : $(ls "$travail/cpack")"

# lintian : aucune erreur ; les autres remarques sont montrées.
if command -v lintian >/dev/null; then
  lintian --fail-on error "$paquet" >"$travail/lintian.log" 2>&1 \
    || { cat "$travail/lintian.log" >&2; echouer "lintian signale des erreurs"; }
  grep -E '^[EWI]:' "$travail/lintian.log" || echo "lintian : aucune remarque"
fi

# Dépendances tirées des bibliothèques liées, pas écrites à la main.
depend="$(dpkg-deb -f "$paquet" Depends)"
for bibliotheque in libqt6widgets6 libpugixml1v5 libc6; do
  grep -q "\b$bibliotheque\b" <<<"$depend" || echouer "$bibliotheque absent des dépendances : $depend"
done

dpkg-deb -x "$paquet" "$racine"
dossier="$racine/usr/lib/vatrelix"
for f in "$dossier/vatrelix" "$dossier/baseVatrelixModèle.xml" "$dossier/baseVatrelix.xml" \
         "$dossier/MSAgent/Chars/Sam.acs" "$racine/usr/share/doc/vatrelix/copyright" \
         "$racine/usr/share/doc/vatrelix/changelog.gz" "$racine/usr/share/man/man1/vatrelix.1.gz" \
         "$racine/usr/share/mime/packages/vatrelix.xml"; do
  [[ -s "$f" ]] || echouer "${f#"$racine"} absent du paquet"
done
[[ "$(readlink "$racine/usr/bin/vatrelix")" == "../lib/vatrelix/vatrelix" ]] || echouer "lien /usr/bin/vatrelix"
grep -q '^Exec="/usr/lib/vatrelix/vatrelix" %f$' "$racine"/usr/share/applications/*.desktop \
  || echouer "l'entrée de bureau ne lance pas /usr/lib/vatrelix/vatrelix"
sections="$(readelf -S "$dossier/vatrelix")"
grep -qE '\.(symtab|debug_info)\b' <<<"$sections" && echouer "programme non dépouillé"

# Un dossier système : lecture seule pour l'utilisateur. Sans root, on retire l'écriture.
[[ $(id -u) -eq 0 ]] || chmod -R a-w "$racine/usr"
empreinte() { (cd "$racine" && find . -printf '%p %y %m %s %T@ %l\n' | LC_ALL=C sort); }
avant="$(empreinte)"

maison="$travail/maison"
execution="$travail/execution"
mkdir -p "$maison" "$execution"
chmod 755 "$travail"
chmod 700 "$execution"
chown "$proprietaire" "$maison" "$execution"
code=0
env -i PATH=/usr/bin:/bin HOME="$maison" XDG_RUNTIME_DIR="$execution" LC_ALL=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen VATRELIX_ESSAI_ENREGISTRER_BASE=1 \
    timeout 40 "${lanceur[@]}" "$racine/usr/bin/vatrelix" >"$travail/vatrelix.log" 2>&1 || code=$?
[[ $code -eq 0 ]] || { cat "$travail/vatrelix.log" >&2; echouer "le programme a rendu $code (124 : délai dépassé)"; }

# La base : copiée depuis la base d'exemple au premier démarrage, puis enregistrée (la
# sauvegarde .bak n'existe qu'après un enregistrement).
donnees="$maison/.local/share/vatrelix"
[[ -s "$donnees/baseVatrelix.xml" ]] || { ls -laR "$maison" >&2; echouer "base absente de $donnees"; }
[[ -s "$donnees/baseVatrelix.xml.bak" ]] || echouer "base non enregistrée : pas de sauvegarde dans $donnees"
if command -v xmllint >/dev/null; then
  diff <(xmllint --c14n "$dossier/baseVatrelix.xml") <(xmllint --c14n "$donnees/baseVatrelix.xml") >/dev/null \
    || echouer "base enregistrée différente de la base d'exemple"
fi
[[ "$(stat -c %U "$donnees/baseVatrelix.xml")" == "$(stat -c %U "$maison")" ]] || echouer "base écrite par un autre utilisateur"

apres="$(empreinte)"
[[ "$avant" == "$apres" ]] || { diff <(echo "$avant") <(echo "$apres") >&2; echouer "le /usr dépaqueté a changé"; }
echo "Paquet $(basename "$paquet") : installé dans /usr, base enregistrée dans $donnees"
