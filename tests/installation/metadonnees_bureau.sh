#!/usr/bin/env bash
# Installe l'arbre construit dans un préfixe temporaire, passe l'entrée de bureau, la métadonnée
# AppStream et le type MIME des listes aux outils du bureau, et vérifie qu'ils se citent juste.
# Usage : metadonnees_bureau.sh DOSSIER_DE_CONSTRUCTION IDENTIFIANT VERSION
set -euo pipefail
construction="$1"
id="$2"
version="$3"
prefixe="$(mktemp -d "${TMPDIR:-/tmp}/vatrelix-installation-XXXXXX")"
trap 'rm -rf "$prefixe"' EXIT
echouer() { echo "ÉCHEC : $*" >&2; exit 1; }

cmake --install "$construction" --prefix "$prefixe" >/dev/null
share="$prefixe/share"
bureau="$share/applications/$id.desktop"
metainfo="$share/metainfo/$id.metainfo.xml"
type_liste="application/x-vatrelix-liste"

# Validateurs : toute erreur ou tout avertissement échoue.
sortie="$(desktop-file-validate "$bureau" 2>&1)" || echouer "desktop-file-validate : $sortie"
[[ -z "$sortie" ]] && echo "desktop-file-validate : aucune remarque" || echo "$sortie"
grep -qE '(error|warning):' <<<"$sortie" && echouer "entrée de bureau : $sortie"
appstreamcli validate --no-net "$metainfo" || echouer "métadonnée AppStream refusée"
appstreamcli validate-tree --no-net "$prefixe" || echouer "arbre installé refusé par appstreamcli"

# L'entrée de bureau lance le programme installé avec le fichier désigné, et déclare le type.
exec_ligne="$(sed -n 's/^Exec=//p' "$bureau")"
[[ "$exec_ligne" == "\"$prefixe/lib/vatrelix/vatrelix\" %f" ]] || echouer "Exec inattendu : $exec_ligne"
[[ -x "$prefixe/lib/vatrelix/vatrelix" ]] || echouer "programme installé absent"
grep -qx "MimeType=$type_liste;" "$bureau" || echouer "type des listes non déclaré par l'entrée de bureau"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || echouer "la métadonnée ne lance pas $id.desktop"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" || echouer "version $version absente de la métadonnée"

# Le type MIME se compile sans remarque, reconnaît *.lvtx, et son icône est installée.
erreurs="$(XDG_DATA_DIRS="$share" update-mime-database "$share/mime" 2>&1)" || echouer "update-mime-database : $erreurs"
[[ -z "$erreurs" ]] || echouer "update-mime-database : $erreurs"
[[ -s "$share/mime/${type_liste}.xml" ]] || echouer "type $type_liste non compilé"
grep -qx "[0-9]*:$type_liste:\*\.lvtx" "$share/mime/globs2" || echouer "motif *.lvtx absent des globs"
[[ -s "$share/icons/hicolor/scalable/mimetypes/${type_liste/\//-}.svg" ]] || echouer "icône des listes absente"
echo "Métadonnées de bureau valides"
