#pragma once
// Les interactions modales montrées avec les vrais widgets de Qt.
#include "Interactions.h"

#include <QString>

class InteractionsQt : public Interactions
{
public:
    // parent : fenêtre qui porte les boîtes ; nul, la fenêtre active.
    explicit InteractionsQt(QWidget* parent = nullptr);

    void definirParent(QWidget* parent) { m_parent = parent; }
    QString dernierDossier() const { return m_dernierDossier; }

    ReponseMessage message(const QString& texte, TypeMessage type, BoutonsMessage boutons,
                           std::optional<ReponseMessage> defaut = std::nullopt) override;
    QString saisie(const QString& titre, const QString& invite, const QString& defaut) override;
    bool ouvrirFichier(DialogueFichier& dialogue) override;
    bool enregistrerFichier(DialogueFichier& dialogue) override;
    bool choisirCouleur(TColor& couleur) override;
    bool choisirImprimante(QPrinter& imprimante) override;
    void montrerModal(QWidget* dialogue) override;
    void erreurStandard(const QString& message) override;

    // "Libellé|*.a;*.b|Autre|*.c" -> "Libellé (*.a *.b);;Autre (*.c)"
    static QString convertirFiltre(const QString& filtre);

private:
    QWidget* parentBoites() const;
    bool dialogueFichier(DialogueFichier& dialogue, bool enregistrer);

    QWidget* m_parent = nullptr;
    QString m_dernierDossier; // comme un dialogue qui vit toute l'exécution
};
