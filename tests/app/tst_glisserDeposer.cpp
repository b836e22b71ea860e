// Glisser-déposer entre les vues et touches spéciales, sur la vraie fenêtre.
#include "CurseursGlisser.h"
#include "FenetreTest.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

using namespace Qt::StringLiterals;

class TestGlisserDeposer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m.reset(); }

    void survol_matrice_data();
    void survol_matrice();
    void survolArbre_curseur_data();
    void survolArbre_curseur();
    void survolArbre_curseurMontre_data();
    void survolArbre_curseurMontre();
    void survolArbre_entreeHorsNoeud_sansCurseurPerime();
    void glissement_curseursPoses_data();
    void glissement_curseursPoses();
    void curseurs_boutDuDoigtAuCentre_data();
    void curseurs_boutDuDoigtAuCentre();
    void depotRayon_data();
    void depotRayon();
    void depotRayon_refuse_rienNeChange_data();
    void depotRayon_refuse_rienNeChange();
    void depotRayon_auDelaDeLaProfondeurMaximale_refuse_data();
    void depotRayon_auDelaDeLaProfondeurMaximale_refuse();
    void depotArticles_data();
    void depotArticles();
    void depotArticles_horsNoeud_rien();
    void depotListe_touchesSpeciales_data();
    void depotListe_touchesSpeciales();
    void evenements_depotSurLaListe_ajoute();
    void evenements_depotSurLesArticles_refuse();
    void evenements_glissementLanceALaSouris();
    void touches_data();
    void touches();
    void touches_ctrlPuisAutre_efface();
    void touches_vueQuittee_toucheRelachee();
    void depotRayon_ctrlReel_data();
    void depotRayon_ctrlReel();
    void suppr_arbre_demandeLaSuppressionDuRayon();
    void suppr_articles_supprimeSansQuestion();

private:
    QPoint centre(const TRayon* r) const
    {
        return m->f().ui.arbreRayon->visualRect(m->noeud(r)).center();
    }
    QPoint vide() const { return QPoint(5, m->f().ui.arbreRayon->viewport()->height() - 3); }
    QObject* vue(const QString& nom) const
    {
        if (nom == u"arbre")
            return m->f().ui.arbreRayon;
        if (nom == u"articles")
            return m->f().ui.listeArticles;
        if (nom == u"liste")
            return m->f().ui.lvListeCourses;
        return nullptr;
    }
    TRayon* rayonNomme(const QString& nom) const
    {
        return nom == u"A" ? a : nom == u"A1" ? a1 : nom == u"A11" ? a11 : nom == u"B" ? b : nullptr;
    }
    bool survol(QObject* cible, QObject* source, const QPoint& p)
    {
        bool ok = false;
        TFormPrincipale& f = m->f();
        if (cible == f.ui.arbreRayon)
            f.arbreRayonDragOver(cible, source, p, ok);
        else if (cible == f.ui.listeArticles)
            f.listeArticlesDragOver(cible, source, p, ok);
        else
            f.lvListeCoursesDragOver(cible, source, p, ok);
        return ok;
    }
    QStringList nomsArticles(const TRayon* r) const
    {
        QStringList n;
        for (int i = 0; i < r->getNbArticles(); ++i)
            n << r->getArticle(i)->getNom();
        return n;
    }
    // Envoie entrée, survol et dépôt à la vue, comme le ferait un glissement du système.
    bool deposer(QWidget* viewport, QMimeData& donnees, const QPoint& p,
                 Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
    {
        QDragEnterEvent entree(p, Qt::CopyAction | Qt::MoveAction, &donnees, Qt::LeftButton, modificateurs);
        QApplication::sendEvent(viewport, &entree);
        if (!entree.isAccepted())
            return false;
        QDragMoveEvent survol(p, Qt::CopyAction | Qt::MoveAction, &donnees, Qt::LeftButton, modificateurs);
        QApplication::sendEvent(viewport, &survol);
        if (!survol.isAccepted())
            return false;
        QDropEvent depot(QPointF(p), Qt::CopyAction | Qt::MoveAction, &donnees, Qt::LeftButton, modificateurs);
        QApplication::sendEvent(viewport, &depot);
        return depot.isAccepted();
    }

    std::unique_ptr<FenetreTest> m;
    TRayon* a = nullptr;
    TRayon* a1 = nullptr;
    TRayon* a11 = nullptr;
    TRayon* b = nullptr;
};

void TestGlisserDeposer::init()
{
    m = std::make_unique<FenetreTest>();
    // A ⊃ A1 ⊃ A11, et B ; A1 tient trois articles.
    a = m->rayon(u"A"_s);
    a1 = a->ajouterRayonFils(u"A1"_s, 0, a);
    a11 = a1->ajouterRayonFils(u"A11"_s, 0, a1);
    b = m->rayon(u"B"_s);
    a1->creerArticle(u"Lait"_s, 0.89, u"-"_s);
    a1->creerArticle(u"Beurre"_s, 1.5, u"doux"_s);
    a1->creerArticle(u"Crème"_s, 1.2, u"-"_s);
    m->f().resize(900, 600);
    m->f().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m->f()));
    m->choisirRayon(a1);
    m->choisirArticles({u"Lait"_s, u"Beurre"_s, u"Crème"_s});
}

void TestGlisserDeposer::survol_matrice_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("cible");
    QTest::addColumn<QString>("sur"); // rayon sous la souris, vide : hors de tout nœud
    QTest::addColumn<bool>("accepte");
    QTest::newRow("rayon-surAutre") << u"arbre"_s << u"arbre"_s << u"B"_s << true;
    QTest::newRow("rayon-surLuiMeme") << u"arbre"_s << u"arbre"_s << u"A1"_s << false;
    QTest::newRow("rayon-surDescendant") << u"arbre"_s << u"arbre"_s << u"A11"_s << false;
    QTest::newRow("rayon-surPere") << u"arbre"_s << u"arbre"_s << u"A"_s << false;
    QTest::newRow("rayon-horsNoeud") << u"arbre"_s << u"arbre"_s << QString() << false;
    QTest::newRow("articles-surRayon") << u"articles"_s << u"arbre"_s << u"B"_s << true;
    QTest::newRow("articles-surLeurRayon") << u"articles"_s << u"arbre"_s << u"A1"_s << true;
    QTest::newRow("articles-horsNoeud") << u"articles"_s << u"arbre"_s << QString() << false;
    QTest::newRow("rayon-surArticles") << u"arbre"_s << u"articles"_s << QString() << false;
    QTest::newRow("rayon-surListe") << u"arbre"_s << u"liste"_s << QString() << false;
    QTest::newRow("articles-surArticles") << u"articles"_s << u"articles"_s << QString() << false;
    QTest::newRow("articles-surListe") << u"articles"_s << u"liste"_s << QString() << true;
    QTest::newRow("liste-surArbre") << u"liste"_s << u"arbre"_s << u"B"_s << false;
    QTest::newRow("inconnue-surListe") << QString() << u"liste"_s << QString() << false;
}

void TestGlisserDeposer::survol_matrice()
{
    QFETCH(QString, source);
    QFETCH(QString, cible);
    QFETCH(QString, sur);
    QFETCH(bool, accepte);
    const QPoint p = sur.isEmpty() ? vide() : centre(rayonNomme(sur));
    QCOMPARE(survol(vue(cible), vue(source), p), accepte);
}

void TestGlisserDeposer::survolArbre_curseur_data()
{
    QTest::addColumn<bool>("speciale");
    QTest::addColumn<int>("curseur");
    QTest::newRow("main") << false << int(Qt::PointingHandCursor);
    QTest::newRow("copie") << true << int(Qt::DragCopyCursor);
}

void TestGlisserDeposer::survolArbre_curseur()
{
    QFETCH(bool, speciale);
    QFETCH(int, curseur);
    m->f().toucheSpeciale = speciale;
    survol(m->f().ui.arbreRayon, m->f().ui.arbreRayon, centre(a)); // refusé, le curseur change quand même
    QCOMPARE(int(m->f().curseurGlisserArbre), curseur);
}

// Survol réel de l'arbre par un rayon : l'image montrée est celle que le glissement associe
// à l'action retenue, ou l'interdiction du système (image nulle) quand le nœud est refusé.
void TestGlisserDeposer::survolArbre_curseurMontre_data()
{
    QTest::addColumn<bool>("speciale");
    QTest::addColumn<QString>("sur");
    QTest::addColumn<int>("montre"); // Qt::ForbiddenCursor : refus
    QTest::newRow("main") << false << u"B"_s << int(Qt::PointingHandCursor);
    QTest::newRow("multiple") << true << u"B"_s << int(Qt::DragCopyCursor);
    QTest::newRow("pereRefuse") << false << u"A"_s << int(Qt::ForbiddenCursor);
    QTest::newRow("luiMemeRefuseAvecCtrl") << true << u"A1"_s << int(Qt::ForbiddenCursor);
    QTest::newRow("descendantRefuse") << false << u"A11"_s << int(Qt::ForbiddenCursor);
}

void TestGlisserDeposer::survolArbre_curseurMontre()
{
    QFETCH(bool, speciale);
    QFETCH(QString, sur);
    QFETCH(int, montre);
    TFormPrincipale& f = m->f();
    f.toucheSpeciale = speciale;
    std::unique_ptr<QDrag> glisser(creerGlissement(f.ui.arbreRayon));
    const QPoint p = centre(rayonNomme(sur));
    QWidget* vp = f.ui.arbreRayon->viewport();
    QDragEnterEvent entree(p, Qt::CopyAction | Qt::MoveAction, glisser->mimeData(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &entree);
    QVERIFY(entree.isAccepted());
    QDragMoveEvent survol(p, Qt::CopyAction | Qt::MoveAction, glisser->mimeData(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &survol);
    QCOMPARE(survol.isAccepted(), montre != int(Qt::ForbiddenCursor));
    const QPixmap vue = survol.isAccepted() ? glisser->dragCursor(survol.dropAction()) : QPixmap();
    QCOMPARE(vue.toImage(), imageCurseurGlisser(Qt::CursorShape(montre)).toImage());
    if (survol.isAccepted())
        QCOMPARE(int(f.curseurGlisserArbre), montre);
}

void TestGlisserDeposer::survolArbre_entreeHorsNoeud_sansCurseurPerime()
{
    TFormPrincipale& f = m->f();
    f.curseurGlisserArbre = Qt::DragCopyCursor; // laissé par un glissement précédent, avec Ctrl
    f.toucheSpeciale = false;
    std::unique_ptr<QDrag> glisser(creerGlissement(f.ui.arbreRayon));
    QDragEnterEvent entree(vide(), Qt::CopyAction | Qt::MoveAction, glisser->mimeData(), Qt::LeftButton,
                           Qt::NoModifier);
    QApplication::sendEvent(f.ui.arbreRayon->viewport(), &entree);
    QVERIFY(entree.isAccepted());
    QCOMPARE(glisser->dragCursor(entree.dropAction()).toImage(),
             imageCurseurGlisser(Qt::PointingHandCursor).toImage());
}

void TestGlisserDeposer::glissement_curseursPoses_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("poses");
    QTest::newRow("arbre") << u"arbre"_s << true;
    QTest::newRow("articles") << u"articles"_s << false;
}

void TestGlisserDeposer::glissement_curseursPoses()
{
    QFETCH(QString, source);
    QFETCH(bool, poses);
    std::unique_ptr<QDrag> glisser(creerGlissement(qobject_cast<QAbstractItemView*>(vue(source))));
    QVERIFY(glisser->mimeData()->hasFormat(TFormPrincipale::kTypeGlisser));
    const QImage deplacement = glisser->dragCursor(Qt::MoveAction).toImage();
    const QImage copie = glisser->dragCursor(Qt::CopyAction).toImage();
    if (!poses) {
        QVERIFY(deplacement.isNull() && copie.isNull());
        return;
    }
    QCOMPARE(deplacement, imageCurseurGlisser(Qt::PointingHandCursor).toImage());
    QCOMPARE(copie, imageCurseurGlisser(Qt::DragCopyCursor).toImage());
    QVERIFY(deplacement != copie);
    // Le refus garde le curseur d'interdiction du système.
    QVERIFY(glisser->dragCursor(Qt::IgnoreAction).isNull());
}

// Le point chaud d'un curseur fait d'une image est son centre : le doigt doit y être.
void TestGlisserDeposer::curseurs_boutDuDoigtAuCentre_data()
{
    QTest::addColumn<int>("forme");
    QTest::newRow("main") << int(Qt::PointingHandCursor);
    QTest::newRow("multiple") << int(Qt::DragCopyCursor);
}

void TestGlisserDeposer::curseurs_boutDuDoigtAuCentre()
{
    QFETCH(int, forme);
    const QImage image = imageCurseurGlisser(Qt::CursorShape(forme)).toImage();
    QVERIFY(!image.isNull());
    const int c = image.width() / 2;
    QVERIFY(qAlpha(image.pixel(c, c + 2)) > 200);
    // Rien au-dessus du bout du doigt ni dans le coin haut gauche.
    QCOMPARE(qAlpha(image.pixel(c, c - 3)), 0);
    QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
}

void TestGlisserDeposer::depotRayon_data()
{
    QTest::addColumn<bool>("copie");
    QTest::newRow("deplacement") << false;
    QTest::newRow("copieAvecCtrl") << true;
}

void TestGlisserDeposer::depotRayon()
{
    QFETCH(bool, copie);
    TFormPrincipale& f = m->f();
    // B, racine, glissé sur A.
    f.ui.arbreRayon->setCurrentIndex(m->noeud(b));
    if (copie)
        f.arbreRayonKeyDown(17);
    f.arbreRayonDragDrop(f.ui.arbreRayon, f.ui.arbreRayon, centre(a));

    QCOMPARE(a->getNbRayonsFils(), 2);
    QCOMPARE(a->getRayonFils(1)->getNom(), u"B"_s);
    QVERIFY(a->getRayonFils(1) != b);
    QCOMPARE(m->dm->listeRayons.contains(b), copie);
    QCOMPARE(f.ui.modeleArbreRayon->rowCount(), copie ? 2 : 1);
    // La cible est choisie et ses articles listés.
    QCOMPARE(f.rayonSelectionne(), a);
    QCOMPARE(f.ui.listeArticles->topLevelItemCount(), 0);
    QVERIFY(f.texteStatut().isEmpty());
}

void TestGlisserDeposer::depotRayon_refuse_rienNeChange_data()
{
    QTest::addColumn<QString>("sur");
    QTest::newRow("luiMeme") << u"A1"_s;
    QTest::newRow("descendant") << u"A11"_s;
    QTest::newRow("pere") << u"A"_s;
}

void TestGlisserDeposer::depotRayon_refuse_rienNeChange()
{
    QFETCH(QString, sur);
    TFormPrincipale& f = m->f();
    f.arbreRayonDragDrop(f.ui.arbreRayon, f.ui.arbreRayon, centre(rayonNomme(sur)));
    QCOMPARE(a->getNbRayonsFils(), 1);
    QCOMPARE(a1->getNbRayonsFils(), 1);
    QCOMPARE(a11->getNbRayonsFils(), 0);
    QCOMPARE(m->dm->listeRayons.size(), 2);
}

void TestGlisserDeposer::depotRayon_auDelaDeLaProfondeurMaximale_refuse_data()
{
    QTest::addColumn<bool>("copie");
    QTest::addColumn<bool>("sousB1"); // cible B1, un niveau sous B
    QTest::newRow("deplacementALaLimite") << false << false;
    QTest::newRow("deplacementTropProfond") << false << true;
    QTest::newRow("copieTropProfonde") << true << true;
}

void TestGlisserDeposer::depotRayon_auDelaDeLaProfondeurMaximale_refuse()
{
    QFETCH(bool, copie);
    QFETCH(bool, sousB1);
    TFormPrincipale& f = m->f();
    // A1 s'étend sur 99 niveaux : sous la racine B il atteint la limite, sous B1 il la dépasse.
    TRayon* r = a11;
    while (r->getProfondeur() < profondeurMaxRayons)
        r = r->ajouterRayonFils(u"N"_s, 0, r);
    TRayon* b1 = b->ajouterRayonFils(u"B1"_s, 0, b);
    m->choisirRayon(a1);
    TRayon* cible = sousB1 ? b1 : b;
    if (copie)
        f.arbreRayonKeyDown(17);

    QCOMPARE(survol(f.ui.arbreRayon, f.ui.arbreRayon, centre(cible)), !sousB1);
    f.arbreRayonDragDrop(f.ui.arbreRayon, f.ui.arbreRayon, centre(cible));

    QCOMPARE(a->getNbRayonsFils(), sousB1 || copie ? 1 : 0);
    QCOMPARE(cible->getNbRayonsFils(), sousB1 ? 0 : 2);
    if (!sousB1)
        QCOMPARE(cible->getRayonFils(1)->getProfondeur() + cible->getRayonFils(1)->getHauteur() - 1,
                 profondeurMaxRayons);
}

void TestGlisserDeposer::depotArticles_data()
{
    QTest::addColumn<int>("touche"); // touche enfoncée dans la liste d'articles, 0 : aucune
    QTest::addColumn<bool>("copie");
    QTest::newRow("deplacement") << 0 << false;
    QTest::newRow("F9") << 120 << true;
    QTest::newRow("X") << 88 << true;
    QTest::newRow("ctrlNeCopiePas") << 17 << false;
}

void TestGlisserDeposer::depotArticles()
{
    QFETCH(int, touche);
    QFETCH(bool, copie);
    TFormPrincipale& f = m->f();
    if (touche)
        f.listeArticlesKeyDown(touche);
    f.arbreRayonDragDrop(f.ui.arbreRayon, f.ui.listeArticles, centre(b));
    QCOMPARE(nomsArticles(b).size(), 3);
    QVERIFY(nomsArticles(b).contains(u"Crème"_s));
    QCOMPARE(b->getArticle(0)->getPrix() + b->getArticle(1)->getPrix() + b->getArticle(2)->getPrix(), 0.89 + 1.5 + 1.2);
    QCOMPARE(a1->getNbArticles(), copie ? 3 : 0);
    // La liste d'articles suit le rayon choisi, toujours A1.
    QCOMPARE(f.ui.listeArticles->topLevelItemCount(), copie ? 3 : 0);
}

void TestGlisserDeposer::depotArticles_horsNoeud_rien()
{
    TFormPrincipale& f = m->f();
    f.arbreRayonDragDrop(f.ui.arbreRayon, f.ui.listeArticles, vide());
    QCOMPARE(a1->getNbArticles(), 3);
    QCOMPARE(b->getNbArticles(), 0);
}

void TestGlisserDeposer::depotListe_touchesSpeciales_data()
{
    QTest::addColumn<int>("toucheListe"); // touche enfoncée dans la liste de courses, 0 : aucune
    QTest::addColumn<bool>("dialogue");
    QTest::newRow("sansTouche") << 0 << true;
    QTest::newRow("ctrl") << 17 << false;
    QTest::newRow("F9NEstPasSpecialeIci") << 120 << true;
}

void TestGlisserDeposer::depotListe_touchesSpeciales()
{
    QFETCH(int, toucheListe);
    QFETCH(bool, dialogue);
    TFormPrincipale& f = m->f();
    m->choisirArticles({u"Lait"_s});
    if (toucheListe)
        f.lvListeCoursesKeyDown(toucheListe);
    if (dialogue)
        m->repondreQuantite(2);
    f.lvListeCoursesDragDrop(f.ui.lvListeCourses, f.ui.listeArticles, QPoint(5, 5));
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Dialogue).size(), dialogue ? 1 : 0);
    QCOMPARE(m->lignes(), QStringList{dialogue ? u"2|Lait|-|A1|0,89 €|1,78 €"_s : u"1|Lait|-|A1|0,89 €|0,89 €"_s});
    QCOMPARE(f.ui.lvListeCourses->model()->rowCount(), 1);
}

void TestGlisserDeposer::evenements_depotSurLaListe_ajoute()
{
    TFormPrincipale& f = m->f();
    f.toucheSpeciale = true;
    std::unique_ptr<QMimeData> donnees(TFormPrincipale::donneesGlisser(f.ui.listeArticles));
    QVERIFY(deposer(f.ui.lvListeCourses->viewport(), *donnees, QPoint(10, 10)));
    QCOMPARE(m->lignes().size(), 3);
    QCOMPARE(m->pied(), u"3 articles - Total : 3,59 €"_s);
    // Un rayon glissé sur la liste est refusé dès l'entrée.
    std::unique_ptr<QMimeData> rayon(TFormPrincipale::donneesGlisser(f.ui.arbreRayon));
    QVERIFY(!deposer(f.ui.lvListeCourses->viewport(), *rayon, QPoint(10, 10)));
    QCOMPARE(m->lignes().size(), 3);
}

void TestGlisserDeposer::evenements_depotSurLesArticles_refuse()
{
    TFormPrincipale& f = m->f();
    std::unique_ptr<QMimeData> donnees(TFormPrincipale::donneesGlisser(f.ui.listeArticles));
    QVERIFY(!deposer(f.ui.listeArticles->viewport(), *donnees, QPoint(10, 10)));
    // Les articles glissés sur un autre rayon de l'arbre : déplacés.
    QVERIFY(deposer(f.ui.arbreRayon->viewport(), *donnees, centre(b)));
    QCOMPARE(b->getNbArticles(), 3);
    QCOMPARE(a1->getNbArticles(), 0);
}

void TestGlisserDeposer::evenements_glissementLanceALaSouris()
{
    TFormPrincipale& f = m->f();
    QWidget* vp = f.ui.listeArticles->viewport();
    const QPoint depart = f.ui.listeArticles->visualItemRect(f.ui.listeArticles->topLevelItem(0)).center();
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, depart);
    QTest::mouseMove(vp, depart + QPoint(QApplication::startDragDistance() + 5, 0));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, depart + QPoint(QApplication::startDragDistance() + 5, 0));
    QCOMPARE(f.glissementsLances, 1);
    // La liste de courses n'est jamais une source.
    m->poser({u"1|Lait|-|A1|0,89 €|0,89 €"_s});
    QWidget* vpl = f.ui.lvListeCourses->viewport();
    const QPoint p = f.ui.lvListeCourses->visualRect(f.ui.lvListeCourses->model()->index(0, 0)).center();
    QTest::mousePress(vpl, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseMove(vpl, p + QPoint(30, 0));
    QTest::mouseRelease(vpl, Qt::LeftButton, Qt::NoModifier, p + QPoint(30, 0));
    QCOMPARE(f.glissementsLances, 1);
}

void TestGlisserDeposer::touches_data()
{
    QTest::addColumn<QString>("nomVue");
    QTest::addColumn<int>("touche");
    QTest::addColumn<bool>("speciale");
    QTest::addColumn<QString>("champ");
    QTest::newRow("arbre-ctrl") << u"arbre"_s << int(Qt::Key_Control) << true << u"Ctrl"_s;
    QTest::newRow("arbre-X") << u"arbre"_s << int(Qt::Key_X) << false << QString();
    QTest::newRow("arbre-F9") << u"arbre"_s << int(Qt::Key_F9) << false << QString();
    QTest::newRow("articles-F9") << u"articles"_s << int(Qt::Key_F9) << true << u"Spécial"_s;
    QTest::newRow("articles-X") << u"articles"_s << int(Qt::Key_X) << true << u"Spécial"_s;
    QTest::newRow("articles-ctrl") << u"articles"_s << int(Qt::Key_Control) << false << QString();
    QTest::newRow("liste-ctrl") << u"liste"_s << int(Qt::Key_Control) << true << u"Ctrl"_s;
    QTest::newRow("liste-X") << u"liste"_s << int(Qt::Key_X) << false << QString();
    QTest::newRow("liste-point") << u"liste"_s << int(Qt::Key_Period) << false << QString();
}

void TestGlisserDeposer::touches()
{
    QFETCH(QString, nomVue);
    QFETCH(int, touche);
    QFETCH(bool, speciale);
    QFETCH(QString, champ);
    auto* w = qobject_cast<QWidget*>(vue(nomVue));
    m->poser({u"1|Lait|-|A1|0,89 €|0,89 €"_s});
    m->f().toucheSpeciale = !speciale;
    QTest::keyPress(w, Qt::Key(touche));
    QCOMPARE(m->f().toucheSpeciale, speciale);
    QCOMPARE(m->f().texteTouche(), champ);
    QCOMPARE(m->f().ui.barreStatusP0->hint(), champ);
    // Aucune touche n'a supprimé quoi que ce soit.
    QCOMPARE(m->lignes().size(), 1);
    QCOMPARE(a1->getNbArticles(), 3);
    QTest::keyRelease(w, Qt::Key(touche));
    QVERIFY(!m->f().toucheSpeciale);
    QVERIFY(m->f().texteTouche().isEmpty());
}

void TestGlisserDeposer::touches_ctrlPuisAutre_efface()
{
    TFormPrincipale& f = m->f();
    QTest::keyPress(f.ui.arbreRayon, Qt::Key_Control);
    QVERIFY(f.toucheSpeciale);
    QTest::keyPress(f.ui.arbreRayon, Qt::Key_Down, Qt::ControlModifier);
    QVERIFY(!f.toucheSpeciale);
    QVERIFY(f.texteTouche().isEmpty());
    // La touche suit son cours dans la vue : la sélection est descendue sur A11.
    QCOMPARE(f.rayonSelectionne(), a11);
}

// Ctrl enfoncé puis relâché dans un dialogue (raccourci, question) : la vue ne le retient plus.
void TestGlisserDeposer::touches_vueQuittee_toucheRelachee()
{
    TFormPrincipale& f = m->f();
    QTest::keyPress(f.ui.lvListeCourses, Qt::Key_Control);
    QVERIFY(f.toucheSpeciale);
    QFocusEvent sortie(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(f.ui.lvListeCourses, &sortie);
    QVERIFY(!f.toucheSpeciale);
    QVERIFY(f.texteTouche().isEmpty());
}

void TestGlisserDeposer::depotRayon_ctrlReel_data()
{
    QTest::addColumn<bool>("retenu");
    QTest::addColumn<bool>("ctrlTenu");
    QTest::newRow("retenu mais relâché : déplacement") << true << false;
    QTest::newRow("tenu pendant le glissement : copie") << false << true;
    QTest::newRow("retenu et tenu : copie") << true << true;
}

// Au dépôt d'un vrai glissement, Ctrl compte tel que le clavier le tient.
void TestGlisserDeposer::depotRayon_ctrlReel()
{
    QFETCH(bool, retenu);
    QFETCH(bool, ctrlTenu);
    TFormPrincipale& f = m->f();
    f.ui.arbreRayon->setCurrentIndex(m->noeud(b));
    if (retenu)
        f.arbreRayonKeyDown(17);
    std::unique_ptr<QMimeData> donnees(TFormPrincipale::donneesGlisser(f.ui.arbreRayon));
    QVERIFY(deposer(f.ui.arbreRayon->viewport(), *donnees, centre(a), ctrlTenu ? Qt::ControlModifier : Qt::NoModifier));
    QCOMPARE(a->getNbRayonsFils(), 2);
    QCOMPARE(m->dm->listeRayons.contains(b), ctrlTenu);
}

void TestGlisserDeposer::suppr_arbre_demandeLaSuppressionDuRayon()
{
    TFormPrincipale& f = m->f();
    m->interactions->repondre(ReponseMessage::Non);
    QTest::keyPress(f.ui.arbreRayon, Qt::Key_Delete);
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Message).size(), 1);
    QCOMPARE(a->getNbRayonsFils(), 1);
    QVERIFY(f.texteTouche().isEmpty());
    QVERIFY(!f.toucheSpeciale);
}

void TestGlisserDeposer::suppr_articles_supprimeSansQuestion()
{
    TFormPrincipale& f = m->f();
    m->choisirArticles({u"Lait"_s, u"Crème"_s});
    QTest::keyPress(f.ui.listeArticles, Qt::Key_Delete);
    QCOMPARE(nomsArticles(a1), QStringList{u"Beurre"_s});
    QVERIFY(m->interactions->messages().isEmpty());
    QVERIFY(f.texteTouche().isEmpty());
}

QTEST_MAIN(TestGlisserDeposer)
#include "tst_glisserDeposer.moc"
