// Leaks one QObject on purpose. The suite runs it to prove that leak detection still reports
// our objects: a suppression that hid them would let every leaked block or command pass.
#include <QCoreApplication>
#include <QObject>

namespace {

class LeakedProbe : public QObject
{
public:
    using QObject::QObject;
};

} // namespace

__attribute__((noinline)) QObject* leakOneObject()
{
    auto* probe = new LeakedProbe;
    probe->setObjectName(QStringLiteral("probe"));
    return probe;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    volatile QObject* probe = leakOneObject();
    probe = nullptr;
    static_cast<void>(probe); // read once more: the pointer is gone, the object is leaked
    return 0;
}
