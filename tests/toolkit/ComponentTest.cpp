#include "Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its destruction in a shared journal.
class TRecorder : public TComponent {
public:
  TRecorder(TComponent* owner, std::string name, std::vector<std::string>& journal)
      : TComponent(owner), journal_(journal) {
    SetName(std::move(name));
  }
  ~TRecorder() override { journal_.push_back(Name()); }

private:
  std::vector<std::string>& journal_;
};

TEST(Component, OwnerDestroysOwnedComponentsLastFirst) {
  std::vector<std::string> journal;
  {
    TRecorder root(nullptr, "root", journal);
    new TRecorder(&root, "first", journal);
    auto* second = new TRecorder(&root, "second", journal);
    new TRecorder(second, "grandchild", journal);
    new TRecorder(&root, "third", journal);
    ASSERT_EQ(root.Components().size(), 3u);
  }
  // Each component's own destructor runs before it destroys what it owns.
  EXPECT_EQ(journal, (std::vector<std::string>{"root", "third", "second", "grandchild", "first"}));
}

TEST(Component, DeletingAnOwnedComponentTakesItOutOfItsOwner) {
  std::vector<std::string> journal;
  TRecorder root(nullptr, "root", journal);
  auto* child = new TRecorder(&root, "child", journal);
  new TRecorder(&root, "other", journal);
  delete child;
  ASSERT_EQ(root.Components().size(), 1u);
  EXPECT_EQ(root.Components()[0]->Name(), "other");
  root.DestroyComponents();
  EXPECT_TRUE(root.Components().empty());
  EXPECT_EQ(journal, (std::vector<std::string>{"child", "other"}));
}

}  // namespace
