#pragma once
// The menu tree: folders (sub-menus) own an ordered collection of nodes that
// always ends with an end-of-folder marker; pages are links, columns are
// column breaks of the main menu. Positions in the interface are 1-based, as
// the tree keys and the project file count them.
//
// The setters here only store: they neither mark the project changed nor
// tell anyone. Edits of a project that someone is looking at go through
// MenuTree (tree/menutree.h), which announces them; the project reader, the
// tests and the synthetic-project maker build trees directly.

#include "options/nodeoptions.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <memory>
#include <vector>

namespace qwk {

class clsOptions;
class clsNodes;
class clsFolder;

// What showing a node in the property editor takes: the frame to bring to
// the front, the type choice whose sub-frame must match, and the page option
// check boxes that are displayed only while they are on.
struct PropertyFrame {
    QString frame;
    QString subFrameKey;
    QStringList shownChecks;
    QStringList hiddenChecks;
};

class MenuNode {
public:
    virtual ~MenuNode();
    virtual QString classType() const = 0;

    const QString &key() const { return m_key; }
    void setKey(const QString &key) { m_key = key; }

    // The folder whose collection holds this node; nullptr for a root folder
    // and for a node that is out of any tree (taken, copied, clipboard).
    clsFolder *parent() const { return m_parent; }

    // An invalid QVariant for a key the node does not carry.
    virtual QVariant value(QStringView key) const = 0;
    // False (and nothing stored) for a key the node does not carry.
    virtual bool setValue(QStringView key, const QVariant &v) = 0;

    // The node as its kind, or nullptr; asked for every node of every walk,
    // so a stored kind instead of a dynamic_cast or a virtual call.
    clsFolder *asFolder();
    const clsFolder *asFolder() const;
    class clsPage *asPage();
    const class clsPage *asPage() const;
    const class clsColumn *asColumn() const;
    // The end-of-folder marker, last in every collection.
    bool isEndMarker() const { return m_kind == Kind::EndMarker; }

    // Copies the node's properties into the option store's node fields (as a
    // load, which is not an edit) and says which frame shows them.
    virtual PropertyFrame loadoptions(clsOptions &options) const = 0;

protected:
    enum class Kind : quint8 { Folder, Page, Column, EndMarker };
    explicit MenuNode(Kind kind) : m_kind(kind) {}

private:
    friend class clsNodes; // keeps m_parent right on insert and take
    QString m_key;
    clsFolder *m_parent = nullptr;
    Kind m_kind;
};

// Folders and pages: the node options of their kind, in three stores (text,
// choice, check) laid out in catalogue order.
//
// A large menu has a hundred thousand nodes, and reading, generating and
// saving it is mostly memory traffic, so a node keeps only what differs from
// a new node of its kind: a text option holds its kind's initial value (most
// are empty) until it is set, and only the set ones are stored, in slot
// order, with a bit per slot saying which. Choices are bits, checks small
// numbers. A page read from a project file typically stores two or three
// strings (its name, its address, the header template of a project whose
// class name is not the default).
class OptionNode : public MenuNode {
public:
    // The site-map id given to a page by the last site map run.
    const QString &secn() const { return (m_textMask & kSecnBit) ? m_texts.back() : emptyText(); }
    void setSecn(const QString &s) { storeText(kSecnBit, s, emptyText()); }

    // A reference: the writers ask for it per node.
    const QString &name() const { return textAt(m_nameSlot); }
    void setName(const QString &name);

    QVariant value(QStringView key) const override;
    bool setValue(QStringView key, const QVariant &v) override;

    // True for a choice option that is True or a check option that is 1.
    bool selectedOption(QStringView key) const;
    bool selectedOption(NodeOption option) const
    {
        const int i = int(option); // inline: the writers ask several per node
        const int slot = m_layout->slot[size_t(i)];
        switch (m_layout->kind[size_t(i)]) {
        case OptionKind::Choice:
            return choiceAt(slot);
        case OptionKind::Check:
            return m_check[size_t(slot)] == 1;
        default:
            return false;
        }
    }
    // The value of an option by its catalogue position (invalid when the
    // node's kind does not carry it).
    QVariant value(NodeOption option) const;
    // The stored text of a text option without a QVariant in between (the
    // writers ask for it per node); "" when the node's kind lacks the option.
    const QString &textValue(NodeOption option) const
    {
        const int i = int(option);
        return m_layout->kind[i] == OptionKind::Text ? textAt(m_layout->slot[i]) : emptyText();
    }
    using MenuNode::value;
    // Whether the key belongs to this node's kind.
    bool carriesOption(QStringView key) const;
    // Position of key within its store, or -1.
    int Index(QStringView key) const;

    // Copies every option of this node's own kind from source.
    void copyProperties(const OptionNode &source);

    PropertyFrame loadoptions(clsOptions &options) const override;

    // Cheap access by catalogue index, for writers that walk the catalogue.
    struct Layout {
        std::vector<int> text, choice, check; // catalogue indexes per store
        std::array<int, kNodeOptionCount> slot; // store position per catalogue index, -1 when absent
        std::array<OptionKind, kNodeOptionCount> kind; // its store; Unknown when absent
        // The text a new node of the kind starts with, per text slot (the
        // portal header template for the default class name).
        std::vector<QString> initialText;
        quint16 initialChoices = 0; // bit per choice slot
    };
    const Layout &layout() const { return *m_layout; }
    const QString &textAt(int slot) const
    {
        const quint32 bit = 1u << slot;
        if (!(m_textMask & bit))
            return m_layout->initialText[size_t(slot)];
        return m_texts[size_t(countBits(m_textMask & (bit - 1)))];
    }
    // Whether the text slot holds a value of its own rather than its kind's
    // initial one (the saved project leaves most of those out).
    bool storesText(int slot) const { return m_textMask & (1u << slot); }
    bool choiceAt(int slot) const { return (m_choices >> slot) & 1u; }
    quint16 choiceBits() const { return m_choices; }
    qint16 checkAt(int slot) const { return m_check[size_t(slot)]; }

    // Reader entry: stores the value as it stands, without marking the
    // project changed and without touching the rest of a choice group.
    void setTextAt(int slot, const QString &v) { storeText(1u << slot, v, m_layout->initialText[size_t(slot)]); }
    void setChoiceAt(int slot, bool v);
    void setCheckAt(int slot, qint16 v) { m_check[size_t(slot)] = v; }

    // "" as a reference, for options a node lacks or leaves empty.
    static const QString &emptyText();

protected:
    // headerTemplate: the portal header template a new page starts with.
    OptionNode(Kind kind, const Layout &layout, NodeOption nameOption, const QString &headerTemplate);

private:
    // Set bits of v, here and not std::popcount, which the default target
    // makes a library call (asked for on every text lookup).
    static constexpr int countBits(quint32 v)
    {
        v = v - ((v >> 1) & 0x55555555u);
        v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
        return int((((v + (v >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
    }
    void clearChoiceGroup(int slot);
    // Sets the value at bit (a text slot's or kSecnBit). A value equal to
    // initial, and null exactly when initial is, is dropped instead.
    void storeText(quint32 bit, const QString &v, const QString &initial);

    // The site-map id is stored with the texts, above every text slot.
    static constexpr quint32 kSecnBit = 1u << 31;
    static constexpr int kTextCapacity = 31;
    static constexpr int kChoiceCapacity = 16;
    static constexpr int kCheckCapacity = 6;
    qint8 m_nameSlot; // first, so it fits beside the node's kind
    quint16 m_choices = 0;
    quint32 m_textMask = 0; // bit per text slot that has a value of its own
    std::array<qint16, kCheckCapacity> m_check{};
    const Layout *m_layout;
    std::vector<QString> m_texts; // the values of the bits in m_textMask, lowest first
};

class clsNodes {
public:
    // owner: the folder whose collection this is; every item gets it as parent.
    explicit clsNodes(clsFolder *owner) : m_owner(owner) {}
    ~clsNodes();
    clsNodes(const clsNodes &) = delete;
    clsNodes &operator=(const clsNodes &) = delete;

    int count() const { return int(m_items.size()); }
    MenuNode *item(int index) const; // 1-based; nullptr when out of range
    // 1-based position of node in this collection, or 0.
    int indexOf(const MenuNode *node) const;
    clsFolder *owner() const { return m_owner; }

    clsFolder *addFolder(int index);
    // headerTemplate: the portal header template for the project's class name.
    class clsPage *addPage(int index, const QString &headerTemplate = defaultDnnHeaderTemplate());
    class clsColumn *addColumn(int index);
    class clsEOF *addEOF();

    void addItem(std::unique_ptr<MenuNode> node, int index);
    void addToEnd(std::unique_ptr<MenuNode> node);
    void remove(int index);
    std::unique_ptr<MenuNode> take(int index);

private:
    MenuNode *insert(std::unique_ptr<MenuNode> node, int index);
    clsFolder *m_owner;
    std::vector<std::unique_ptr<MenuNode>> m_items;
};

class clsFolder : public OptionNode {
public:
    clsFolder();
    QString classType() const override { return QStringLiteral("folder"); }

    clsNodes &nodes() { return *m_nodes; }
    const clsNodes &nodes() const { return *m_nodes; }

    bool isOpen() const { return m_open; }
    void setOpen(bool open) { m_open = open; }

    bool isFolderOption(QStringView key) const { return isFolderOptionKey(key); }

private:
    std::unique_ptr<clsNodes> m_nodes;
    bool m_open = false;
};

class clsPage : public OptionNode {
public:
    explicit clsPage(const QString &headerTemplate = defaultDnnHeaderTemplate());
    QString classType() const override { return QStringLiteral("page"); }
    bool isPageOption(QStringView key) const { return isPageOptionKey(key); }
};

class clsColumn : public MenuNode {
public:
    clsColumn() : MenuNode(Kind::Column) {}
    QString classType() const override { return QStringLiteral("column"); }

    const QString &width() const { return m_width; }
    void setWidth(const QString &w);
    int chkColValue() const { return m_flag.toInt(); }
    void setChkColValue(int v);
    const QString &flagText() const { return m_flag; }

    // Only "lnkColWidth" and "lnkChkColValue".
    QVariant value(QStringView key) const override;
    bool setValue(QStringView key, const QVariant &v) override;

    // Reader entry: no change mark.
    void load(const QString &width, const QString &flag) { m_width = width; m_flag = flag; }

    PropertyFrame loadoptions(clsOptions &options) const override;

private:
    QString m_width = QStringLiteral("130px");
    QString m_flag = QStringLiteral("0");
};

class clsEOF : public MenuNode {
public:
    clsEOF() : MenuNode(Kind::EndMarker) {}
    QString classType() const override { return QStringLiteral("EOF"); }
    QVariant value(QStringView) const override { return {}; }
    bool setValue(QStringView, const QVariant &) override { return false; }
    PropertyFrame loadoptions(clsOptions &) const override { return {QStringLiteral("frameEOF"), {}, {}, {}}; }
};

inline clsFolder *MenuNode::asFolder()
{
    return m_kind == Kind::Folder ? static_cast<clsFolder *>(this) : nullptr;
}
inline const clsFolder *MenuNode::asFolder() const
{
    return m_kind == Kind::Folder ? static_cast<const clsFolder *>(this) : nullptr;
}
inline clsPage *MenuNode::asPage()
{
    return m_kind == Kind::Page ? static_cast<clsPage *>(this) : nullptr;
}
inline const clsPage *MenuNode::asPage() const
{
    return m_kind == Kind::Page ? static_cast<const clsPage *>(this) : nullptr;
}
inline const clsColumn *MenuNode::asColumn() const
{
    return m_kind == Kind::Column ? static_cast<const clsColumn *>(this) : nullptr;
}

// Gives every node its tree key (parent key + "n" + position), the markers
// included, as a redraw of the tree does. Works without recursion, so any
// depth the reader accepts can be keyed.
void assignTreeKeys(clsFolder &root);

// How many levels of entries the menu has: 0 for an empty menu, 1 when the
// main menu holds no folder with entries, and one more for each folder
// level below. Works without recursion.
int menuDepth(const clsFolder &root);

} // namespace qwk
