#include "build/projectbuilder.h"
namespace Velmora {
ProjectBuilder::~ProjectBuilder() = default;
void ProjectBuilder::visitProject(Project*) { }
}
