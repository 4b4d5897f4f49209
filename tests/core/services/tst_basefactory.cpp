#include "services/basefactory.h"
#include "services/serializableobjectfactory.h"

#include "testmain.h"

using namespace Velmora;

namespace {

struct Product
{
    virtual ~Product() = default;
    virtual QString kind() const { return QStringLiteral("base"); }
    void setSerializationId(const QString& id) { serializationId = id; }
    QString serializationId;
};

struct First : Product
{
    QString kind() const override { return QStringLiteral("first"); }
};

struct Second : Product
{
    QString kind() const override { return QStringLiteral("second"); }
};

using PlainFactory = BaseFactory<QString, Product, FactoryIgnoreErrorStrategy>;

} // namespace

class tst_BaseFactory : public QObject
{
    Q_OBJECT
private slots:
    void duplicateKeepsFirstBuilder();
    void unknownIdGivesNull();
    void idListIsAscending();
    void createdProductsAreIndependent();
    void serializableFactorySetsId();
    void serializableFactoryUnknownId();
};

void tst_BaseFactory::duplicateKeepsFirstBuilder()
{
    PlainFactory factory;
    QVERIFY(factory.registerBuilder<First>(QStringLiteral("key")));
    QVERIFY(!factory.registerBuilder<Second>(QStringLiteral("key")));
    QScopedPointer<Product> product(factory.create(QStringLiteral("key")));
    QVERIFY(product);
    QCOMPARE(product->kind(), QStringLiteral("first"));
    QCOMPARE(factory.getIdList(), QList<QString>({ QStringLiteral("key") }));
}

void tst_BaseFactory::unknownIdGivesNull()
{
    PlainFactory factory;
    factory.registerBuilder<First>(QStringLiteral("key"));
    QVERIFY(!factory.isRegistred(QStringLiteral("other")));
    QVERIFY(factory.create(QStringLiteral("other")) == nullptr);
    QVERIFY(factory.create(QString()) == nullptr);
}

void tst_BaseFactory::idListIsAscending()
{
    PlainFactory factory;
    for (const char* id : { "title", "port", "call_order", "inputs", "data_list", "outputs", "data_number" })
        factory.registerBuilder<First>(QString::fromLatin1(id));
    QCOMPARE(factory.getIdList(),
             QList<QString>({ "call_order", "data_list", "data_number", "inputs", "outputs", "port", "title" }));
}

void tst_BaseFactory::createdProductsAreIndependent()
{
    PlainFactory factory;
    factory.registerBuilder<Second>(QStringLiteral("b"));
    QScopedPointer<Product> one(factory.create(QStringLiteral("b")));
    QScopedPointer<Product> two(factory.create(QStringLiteral("b")));
    QVERIFY(one && two);
    QVERIFY(one.data() != two.data());
    QCOMPARE(two->kind(), QStringLiteral("second"));
}

void tst_BaseFactory::serializableFactorySetsId()
{
    SerializableObjectFactory<Product> factory;
    factory.registerBuilder<First>(QStringLiteral("first"));
    QScopedPointer<Product> product(factory.create(QStringLiteral("first")));
    QVERIFY(product);
    QCOMPARE(product->serializationId, QStringLiteral("first"));
}

void tst_BaseFactory::serializableFactoryUnknownId()
{
    SerializableObjectFactory<Product> factory;
    QVERIFY(factory.create(QStringLiteral("missing")) == nullptr);
    QVERIFY(factory.getIdList().isEmpty());
}

VLM_TEST_MAIN(tst_BaseFactory)
#include "tst_basefactory.moc"
