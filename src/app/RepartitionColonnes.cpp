#include "RepartitionColonnes.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>
#include <cmath>

namespace {
double bornee(double part)
{
    return std::clamp(part, 0.1, 0.9);
}
} // namespace

RepartitionColonnes::RepartitionColonnes(QTreeView& vue, int texte, int reste, const QList<int>& nombres,
                                         const QList<int>& fixes, double part)
    : QObject(&vue), m_vue(vue), m_texte(texte), m_reste(reste), m_part(bornee(part))
{
    QHeaderView* entete = vue.header();
    entete->setStretchLastSection(false);
    for (int c : nombres)
        entete->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    for (int c : fixes)
        entete->setSectionResizeMode(c, QHeaderView::Fixed);
    entete->setSectionResizeMode(texte, QHeaderView::Interactive);
    entete->setSectionResizeMode(reste, QHeaderView::Stretch);
    // Le bord tiré par l'utilisateur fixe la nouvelle part ; nos propres réglages non.
    connect(entete, &QHeaderView::sectionResized, this, [this](int colonne, int, int largeur) {
        if (m_repartition || colonne == m_reste)
            return;
        // Un nombre qui s'élargit avec son contenu : la place des textes change, leur part non.
        // Après la passe de l'en-tête en cours, qui fixerait sinon les largeurs d'avant.
        if (colonne != m_texte) {
            if (!m_repartitionPrevue) {
                m_repartitionPrevue = true;
                QMetaObject::invokeMethod(this, [this] {
                    m_repartitionPrevue = false;
                    repartir();
                }, Qt::QueuedConnection);
            }
            return;
        }
        if (const int place = placeTexte(); place > 0)
            m_part = bornee(double(largeur) / place);
    });
    m_viewport = vue.viewport();
    m_viewport->installEventFilter(this);
}

void RepartitionColonnes::definirPart(double part)
{
    m_part = bornee(part);
    repartir();
}

int RepartitionColonnes::placeTexte() const
{
    const QHeaderView* entete = m_vue.header();
    int autres = 0;
    for (int c = 0; c < entete->count(); ++c)
        if (c != m_texte && c != m_reste && !entete->isSectionHidden(c))
            autres += entete->sectionSize(c);
    return m_vue.viewport()->width() - autres;
}

void RepartitionColonnes::repartir()
{
    const int place = placeTexte();
    if (place <= 0)
        return;
    m_repartition = true;
    m_vue.header()->resizeSection(m_texte, std::max(m_vue.header()->minimumSectionSize(),
                                                    int(std::lround(m_part * place))));
    m_repartition = false;
}

bool RepartitionColonnes::eventFilter(QObject* objet, QEvent* evenement)
{
    // Le type d'abord : pendant la destruction de la vue, son viewport ne se demande plus.
    if (evenement->type() == QEvent::Resize && objet == m_viewport)
        repartir();
    return QObject::eventFilter(objet, evenement);
}
