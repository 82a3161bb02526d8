// SPDX-License-Identifier: MIT
#include "platform/rtl/Object.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringTable.h"

#include <gtest/gtest.h>

namespace {

class TShape : public fw::TObject {
    FW_CLASS(TShape, fw::TObject)
public:
    virtual int Corners() const { return 0; }
    int FInitialisedCorners = -1;

protected:
    TShape() = default;
    // Dispatches to the most derived override: only possible after construction.
    void AfterConstruction() override { FInitialisedCorners = Corners(); }
};

class TSquare : public TShape {
    FW_CLASS(TSquare, TShape)
public:
    int Corners() const override { return 4; }

protected:
    TSquare() = default;
};

class TAbstractThing : public fw::TObject {
    FW_CLASS(TAbstractThing, fw::TObject)
public:
    explicit TAbstractThing(int) {}
};

FW_IMPLEMENT_CLASS(TShape)
FW_IMPLEMENT_CLASS(TSquare)
FW_IMPLEMENT_ABSTRACT_CLASS(TAbstractThing)

TEST(ClassRecords, NameParentAndInheritance) {
    const fw::TClass square = TSquare::StaticClass();
    EXPECT_EQ(square->ClassName(), "TSquare");
    EXPECT_EQ(square->ClassParent(), TShape::StaticClass());
    EXPECT_EQ(TShape::StaticClass()->ClassParent(), fw::TObject::StaticClass());
    EXPECT_EQ(fw::TObject::StaticClass()->ClassParent(), nullptr);
    EXPECT_TRUE(square->InheritsFrom(fw::TObject::StaticClass()));
    EXPECT_FALSE(TShape::StaticClass()->InheritsFrom(square));
}

TEST(ClassRecords, VirtualConstructorBuildsTheMostDerivedClassAndRunsAfterConstruction) {
    const fw::TClass cls = TSquare::StaticClass();
    const std::unique_ptr<TShape> shape = fw::CreateAs<TShape>(cls);
    EXPECT_EQ(shape->ClassName(), "TSquare");
    EXPECT_EQ(shape->ClassType(), cls);
    EXPECT_EQ(shape->FInitialisedCorners, 4);
    EXPECT_EQ(fw::New<TSquare>()->FInitialisedCorners, 4);
}

TEST(ClassRecords, CreatingTheWrongClassRaisesNamingBoth) {
    try {
        fw::CreateAs<TSquare>(TShape::StaticClass());
        FAIL() << "no exception";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), "Class TShape does not derive from TSquare");
    }
    EXPECT_THROW(TAbstractThing::StaticClass()->Create(), fw::Exception);
    EXPECT_THROW(fw::CreateAs<TShape>(nullptr), fw::Exception);
}

TEST(StringTable, TranslationReplacesTheWholeTableAndUnknownIdsAreRefused) {
    fw::TStringTable table({{1, "Date"}, {2, "Time"}});
    table.Replace({{1, "Datum"}});
    EXPECT_EQ(table.Load(1), "Datum");
    EXPECT_EQ(table.Load(2), "Time");
    table.Replace({{2, "Zeit"}});
    EXPECT_EQ(table.Load(1), "Date") << "a new translation starts from the defaults";
    EXPECT_THROW(table.Replace({{3, "x"}}), fw::EResNotFound);
    EXPECT_EQ(table.Load(2), "Zeit") << "a refused translation changes nothing";
    EXPECT_THROW(table.Load(7), fw::EResNotFound);
    table.Reset();
    EXPECT_EQ(table.Load(2), "Time");
}

} // namespace
