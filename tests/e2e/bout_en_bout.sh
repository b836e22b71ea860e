#!/usr/bin/env bash
# Lance le vrai programme sous Xvfb et openbox, le pilote au clavier (xdotool), puis vérifie
# les fichiers écrits. Usage : bout_en_bout.sh DOSSIER_DU_PROGRAMME DOSSIER_DES_ARTEFACTS
set -euo pipefail
programme="$(cd "$1" && pwd)"
artefacts="$2"
donnees="$(cd "$(dirname "$0")/donnees" && pwd)"
titre="Tavelquirn - Vatrelix 2006"
# La fenêtre principale nomme d'abord sa liste : « liste.lvtx* - Tavelquirn - Vatrelix 2006 ».
motif_fenetre="^(.* - )?${titre}\$"
mkdir -p "$artefacts"
rm -f "$artefacts"/ecran-*

travail="$(mktemp -d "${TMPDIR:-/tmp}/vatrelix-e2e-XXXXXX")"
pids=()
nettoyer() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$travail"
}
trap nettoyer EXIT
echouer() { echo "ÉCHEC : $*" >&2; capturer echec; exit 1; }

# Copie du dossier du programme : exécutable, modèle, personnages.
cp "$programme/vatrelix" "$programme/baseVatrelixModèle.xml" "$travail/"
[[ -d "$programme/MSAgent" ]] && cp -r "$programme/MSAgent" "$travail/"
cp "$donnees/baseInitiale.xml" "$travail/baseVatrelix.xml"
cp "$donnees/liste.lvtx" "$travail/liste.lvtx"
# Configuration : couleurs, dernière liste, compagnon éteint (test rapide et déterministe).
printf '$00FF8000\r\nclCream\r\nclBlack\r\n%s\r\n0\r\nSam\r\n' "$travail/liste.lvtx" >"$travail/Vatrelix.conf"

# Serveur X virtuel : numéro d'affichage rendu par -displayfd.
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$travail/affichage" 2>"$travail/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [[ -s "$travail/affichage" ]] && break; sleep 0.1; done
[[ -s "$travail/affichage" ]] || { echo "Xvfb ne démarre pas" >&2; exit 1; }
export DISPLAY=":$(head -1 "$travail/affichage")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
# L'état de la fenêtre va dans le dossier de configuration de l'utilisateur : ici, le nôtre.
export XDG_CONFIG_HOME="$travail/config"
etat="$XDG_CONFIG_HOME/vatrelix/vatrelix.ini"

capturer() {
  xwd -root -silent >"$artefacts/ecran-$1.xwd" 2>/dev/null || return 0
  if command -v convert >/dev/null; then
    convert "$artefacts/ecran-$1.xwd" "$artefacts/ecran-$1.png" 2>/dev/null && rm -f "$artefacts/ecran-$1.xwd"
  fi
  return 0
}

openbox --sm-disable >"$travail/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdotool get_desktop >/dev/null 2>&1 && break; sleep 0.1; done

# Le programme est lancé depuis un autre dossier : il ne dépend que du sien.
(cd / && exec "$travail/vatrelix") >"$artefacts/vatrelix.log" 2>&1 &
programme_pid=$!
pids+=($programme_pid)

fenetre=""
for _ in $(seq 300); do
  fenetre="$(xdotool search --onlyvisible --name "$motif_fenetre" 2>/dev/null | head -1 || true)"
  [[ -n "$fenetre" ]] && break
  kill -0 "$programme_pid" 2>/dev/null || echouer "le programme s'est arrêté au démarrage"
  sleep 0.1
done
[[ -n "$fenetre" ]] || echouer "fenêtre « $titre » introuvable"
# Première fois : la taille de départ.
taille_fenetre() { xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: //p'; }
[[ "$(taille_fenetre "$fenetre")" == "690x474" ]] || echouer "taille de départ : $(taille_fenetre "$fenetre")"

touche() {
  xdotool windowactivate --sync "$fenetre" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers "$1"
  sleep 0.3
}
# Attend qu'un fichier ait exactement le contenu attendu.
attendre_egal() {
  for _ in $(seq 100); do cmp -s "$1" "$2" && return 0; sleep 0.1; done
  return 1
}
canonique() { xmllint --c14n "$1"; }

sleep 0.5
# La ligne de commande se lit sans affichage : aide et version sur la sortie standard (code 0),
# un argument inconnu refusé sur la sortie d'erreur (code 2), sans fenêtre.
env -u DISPLAY "$travail/vatrelix" --version >"$travail/version" 2>&1 || echouer "--version a échoué"
grep -q '^Vatrelix version ' "$travail/version" || echouer "--version : $(cat "$travail/version")"
env -u DISPLAY "$travail/vatrelix" --help | grep -q '^Utilisation : vatrelix' || echouer "--help sans l'aide"
code=0
env -u DISPLAY "$travail/vatrelix" --inconnue >"$travail/refus" 2>&1 || code=$?
[[ $code -eq 2 ]] || echouer "un argument inconnu a rendu $code au lieu de 2"
grep -q 'option inconnue « --inconnue »' "$travail/refus" || echouer "refus : $(cat "$travail/refus")"

# Une seconde copie sur le même dossier ne s'ouvre pas : elle remet la main à la première (rien
# à ouvrir : elle vient au premier plan), n'écrit rien et rend 0.
cp "$travail/Vatrelix.conf" "$travail/conf-avant"
seconde_copie() {
  "$@" >>"$artefacts/seconde.log" 2>&1 &
  seconde_pid=$!
  pids+=($seconde_pid)
  for _ in $(seq 100); do kill -0 "$seconde_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$seconde_pid" 2>/dev/null && echouer "la seconde copie ne s'arrête pas (verrou dit au lieu de la remise ?)"
  code=0
  wait "$seconde_pid" || code=$?
  [[ $code -eq 0 ]] || echouer "la seconde copie a rendu $code au lieu de 0"
}
seconde_copie bash -c 'cd / && exec "$0"' "$travail/vatrelix"
kill -0 "$programme_pid" 2>/dev/null || echouer "la première copie s'est arrêtée"
cmp -s "$travail/Vatrelix.conf" "$travail/conf-avant" || echouer "la seconde copie a écrit la configuration"
rm "$travail/conf-avant"

# La base change sur le disque : le rechargement doit lire la nouvelle.
cp "$donnees/baseRechargee.xml" "$travail/baseVatrelix.xml"
touche ctrl+alt+o
touche ctrl+t
touche ctrl+s
attendre_egal "$travail/liste.lvtx" "$donnees/liste-triee.lvtx" \
  || echouer "liste triée et enregistrée différente de l'attendue"
# Base réécrite par l'enregistrement : on la retire pour voir qu'il l'écrit.
rm "$travail/baseVatrelix.xml"
touche ctrl+alt+s
for _ in $(seq 100); do [[ -s "$travail/baseVatrelix.xml" ]] && break; sleep 0.1; done
[[ -s "$travail/baseVatrelix.xml" ]] || echouer "base non enregistrée"
capturer fenetre

# Au clavier : Alt+F ouvre le menu Fichier (une fenêtre de plus, le menu), Échap le ferme.
fenetres_visibles() { xdotool search --onlyvisible --pid "$programme_pid" 2>/dev/null | wc -l; }
avant="$(fenetres_visibles)"
touche alt+f
[[ "$(fenetres_visibles)" -gt "$avant" ]] || echouer "Alt+F n'ouvre pas le menu Fichier"
capturer menu-fichier
xdotool key --clearmodifiers Escape
sleep 0.3
[[ "$(fenetres_visibles)" -eq "$avant" ]] || echouer "Échap ne ferme pas le menu Fichier"

# Le focus part de l'arbre, sur le premier rayon (Boulangerie) : Espace le choisit, Tab passe au
# champ de recherche puis à ses articles, Espace choisit le premier (Baguette), Entrée : le
# dialogue de quantité demande, 2 puis Entrée l'ajoute.
touche space
touche Tab
touche Tab
touche space
touche Return
quantite=""
for _ in $(seq 50); do
  quantite="$(xdotool getactivewindow 2>/dev/null || true)"
  [[ -n "$quantite" && "$quantite" != "$fenetre" ]] && break
  quantite=""
  sleep 0.1
done
[[ -n "$quantite" ]] || echouer "Entrée dans la liste d'articles ne demande pas la quantité"
capturer quantite
xdotool key --clearmodifiers 2 Return
sleep 0.5
attendue="$travail/liste-attendue.lvtx"
{ cat "$donnees/liste-triee.lvtx"; printf '2|Baguette||Boulangerie|0,95 \x80|1,90 \x80\r\n'; } >"$attendue"
touche ctrl+s
attendre_egal "$travail/liste.lvtx" "$attendue" || echouer "l'article ajouté au clavier n'est pas dans la liste"

# Demande de fermeture par le gestionnaire de fenêtres : Entrée choisit Annuler, le bouton sans
# danger ; à la seconde demande, « Oui » pour la base. La liste, enregistrée, ne demande rien.
attendre_question() {
  boite=""
  for _ in $(seq 100); do
    boite="$(xdotool getactivewindow 2>/dev/null || true)"
    [[ -n "$boite" && "$boite" != "$fenetre" ]] && break
    boite=""
    sleep 0.1
  done
  [[ -n "$boite" ]] || echouer "${1:-question sur la base} absente"
  sleep 0.5
}
touche alt+F4
attendre_question
xdotool key --clearmodifiers Return
sleep 1
kill -0 "$programme_pid" 2>/dev/null || echouer "Entrée à la question de sortie a quitté le programme"
# Seconde demande par le menu Fichier, au clavier : Alt+F puis Q (« &Quitter »).
touche alt+f
xdotool key --clearmodifiers q
attendre_question
capturer question-base
xdotool key --clearmodifiers alt+o

for _ in $(seq 150); do kill -0 "$programme_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$programme_pid" 2>/dev/null && echouer "le programme ne s'est pas arrêté"
wait "$programme_pid" || echouer "code de sortie non nul"

# Fichiers : liste octet par octet (CR LF, 0x80), base élément par élément.
cmp "$travail/liste.lvtx" "$attendue" || echouer "liste finale différente"
diff <(canonique "$donnees/baseRechargee.xml") <(canonique "$travail/baseVatrelix.xml") \
  || echouer "base enregistrée différente de la base rechargée"
ligne4="$(sed -n 4p "$travail/Vatrelix.conf" | tr -d '\r')"
[[ "$ligne4" == "$travail/liste.lvtx" ]] || echouer "dernière liste non gardée dans la configuration : $ligne4"
cp "$travail/liste.lvtx" "$travail/baseVatrelix.xml" "$artefacts/"

# La taille donnée à la fenêtre revient au lancement suivant ; Vatrelix.conf garde ses six lignes.
[[ -s "$etat" ]] || echouer "état de la fenêtre non écrit dans $etat"
lancer() {
  (cd / && exec "$travail/vatrelix" "$@") >>"$artefacts/vatrelix.log" 2>&1 &
  programme_pid=$!
  pids+=($programme_pid)
  fenetre=""
  for _ in $(seq 300); do
    fenetre="$(xdotool search --onlyvisible --name "$motif_fenetre" 2>/dev/null | head -1 || true)"
    [[ -n "$fenetre" ]] && break
    sleep 0.1
  done
  [[ -n "$fenetre" ]] || echouer "fenêtre introuvable au nouveau lancement"
  sleep 1
}
quitter_sans_enregistrer() {
  touche alt+F4
  attendre_question
  xdotool key --clearmodifiers alt+n
  for _ in $(seq 150); do kill -0 "$programme_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$programme_pid" 2>/dev/null && echouer "le programme ne s'est pas arrêté"
  wait "$programme_pid" || echouer "code de sortie non nul"
}
lancer
xdotool windowsize --sync "$fenetre" 900 650
sleep 0.5
quitter_sans_enregistrer
# « vatrelix FICHIER.lvtx » ouvre ce fichier à la place de la dernière liste.
cp "$donnees/liste.lvtx" "$travail/autre.lvtx"
lancer "$travail/autre.lvtx"
capturer taille-retenue
[[ "$(taille_fenetre "$fenetre")" == "900x650" ]] || echouer "taille non retenue : $(taille_fenetre "$fenetre")"
attendre_titre() {
  for _ in $(seq 100); do [[ "$(xdotool getwindowname "$fenetre" 2>/dev/null)" == "$1" ]] && return 0; sleep 0.1; done
  return 1
}
attendre_titre "autre.lvtx - $titre" || echouer "liste de la ligne de commande non ouverte : $(xdotool getwindowname "$fenetre")"
# Remise à la copie en cours (chemin relatif au dossier de la seconde) : sa liste, triée donc
# modifiée, demande d'abord son enregistrement ; Non : la liste remise remplace l'autre.
touche ctrl+t
attendre_titre "autre.lvtx* - $titre" || echouer "le tri n'a pas modifié la liste : $(xdotool getwindowname "$fenetre")"
seconde_copie bash -c 'cd "$1" && exec ./vatrelix liste.lvtx' _ "$travail"
attendre_question "question sur la liste modifiée"
capturer question-remise
xdotool key --clearmodifiers alt+n
attendre_titre "liste.lvtx - $titre" || echouer "liste remise non ouverte : $(xdotool getwindowname "$fenetre")"
cmp -s "$travail/autre.lvtx" "$donnees/liste.lvtx" || echouer "la liste abandonnée a été écrite"
quitter_sans_enregistrer
[[ "$(tr -cd '\n' <"$travail/Vatrelix.conf" | wc -c)" -eq 6 ]] || echouer "Vatrelix.conf n'a plus six lignes"
echo "Bout en bout : réussi (captures dans $artefacts)"
