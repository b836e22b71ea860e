// La ligne d'état : touche, opération et jauge d'avancement, redessinées aussitôt.
#include "U_VX_FormPrincipale.h"

#include "Conversions.h"
#include "Erreurs.h"
#include "Horloge.h"
#include "ProgressionFenetre.h"
#include "TPaintBox.h"
#include "U_graphic.h"

#include <QPainter>

void ProgressionFenetre::progression(const QString& pourcentage)
{
    m_fenetre.ecrireProgression(pourcentage);
}

QString TFormPrincipale::horodatage()
{
    return DateTimeToStr(Horloge::courante().maintenant());
}

int TFormPrincipale::largeurJauge(int largeur, int pourcentage)
{
    // Division d'abord : la jauge avance d'un nombre entier de pixels par pour cent.
    return (largeur / 100) * pourcentage;
}

void TFormPrincipale::ecrireStatut(const QString& texte)
{
    // Une opération écrite pendant un survol reste quand la souris part.
    m_statutAvantAide.reset();
    ui.barreStatusP1->setHint(texte);
    ui.barreStatusP1->repaint();
}

void TFormPrincipale::ecrireTouche(const QString& texte)
{
    ui.barreStatusP0->setHint(texte);
    ui.barreStatusP0->repaint();
}

void TFormPrincipale::ecrireProgression(const QString& pourcentage)
{
    ui.barreProgression->setHint(pourcentage);
    ui.barreProgression->repaint();
}

void TFormPrincipale::montrerProgression(const QString& pourcentage)
{
    ui.barreProgression->setHint(pourcentage);
    ui.barreProgression->show();
    ui.barreProgression->repaint();
}

void TFormPrincipale::cacherProgression()
{
    ui.barreProgression->hide();
}

QString TFormPrincipale::texteStatut() const
{
    return ui.barreStatusP1->hint();
}

QString TFormPrincipale::texteTouche() const
{
    return ui.barreStatusP0->hint();
}

QString TFormPrincipale::texteProgression() const
{
    return ui.barreProgression->hint();
}

void TFormPrincipale::brancherPeintures()
{
    const auto champTexte = [this](TPaintBox& boite, QPainter& canevas) {
        boite.setCouleurPolice(QColor::fromRgb(versQRgb(ColorToRGB(reglages.couleurTexte))));
        canevas.setPen(boite.couleurPolice());
        dessinerTitreControle(canevas, boite, reglages.couleurHaut, reglages.couleurBas, boite.hint());
    };
    // barreStatusP0Paint, barreStatusP1Paint
    ui.barreStatusP0->surPeinture(champTexte);
    ui.barreStatusP1->surPeinture(champTexte);

    // barreProgressionPaint
    ui.barreProgression->surPeinture([this](TPaintBox& boite, QPainter& canevas) {
        const int w = boite.width();
        const int h = boite.height();
        const QString t = boite.hint();
        dessinerDegrade(canevas, reglages.couleurHaut, reglages.couleurBas, h, w);
        // Le texte est toujours un entier décimal ; une peinture ne doit jamais lever.
        int p = 0;
        try {
            p = StrToInt(t);
        } catch (const EVatrelix&) {
            p = 0;
        }
        dessinerDegrade(canevas, clWhite, clDesktop, h, largeurJauge(w, p));
        // Position tirée du nombre seul : le texte suffixé penche un peu à droite.
        const QFontMetrics mesure(canevas.font());
        const int x = (w - mesure.horizontalAdvance(t)) / 2;
        const int y = (h - mesure.height()) / 2;
        canevas.setPen(Qt::white);
        canevas.setBrush(Qt::NoBrush);
        canevas.drawText(x, y + mesure.ascent(), t + QStringLiteral(" %"));
    });

    // barreFactureLCPaint
    ui.barreFactureLC->surPeinture(champTexte);

    // titreRayonsPaint, titreListeCoursesPaint : la couleur de police ne passe à couleurTexte
    // qu'après le premier dessin.
    const auto titre = [this](const QString& texte) {
        return [this, texte](TPaintBox& boite, QPainter& canevas) {
            dessinerTitreControle(canevas, boite, reglages.couleurHaut, reglages.couleurBas, texte);
            boite.setCouleurPolice(QColor::fromRgb(versQRgb(ColorToRGB(reglages.couleurTexte))));
        };
    };
    ui.titreRayons->surPeinture(titre(QStringLiteral("RAYONS")));
    ui.titreListeCourses->surPeinture(titre(QStringLiteral("LISTE DE COURSES")));

    peindreBarresOutils();
    brancherAidesSurvol();
}
