// The Win32 and COM owners against the real calls: what they hold is closed
// when they go, what they replaced is put back first, and a failed open owns
// nothing.

#include <windows.h>

#include <gtest/gtest.h>

#include "hosts/com/variant_owner.h"
#include "win32/owned_handles.h"

namespace plotmate {
namespace {

bool handleOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != 0;
}

TEST(Win32Owners, CloseWhatTheyHoldAndPutBackWhatTheyReplaced) {
  HANDLE event = nullptr;
  {
    win32::OwnedHandle owned(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    event = owned.get();
    EXPECT_TRUE(handleOpen(event));
  }
  EXPECT_FALSE(handleOpen(event));

  win32::OwnedFileHandle missing(CreateFileW(L"C:\\no such folder\\file.txt", GENERIC_READ, 0, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing) << "INVALID_HANDLE_VALUE owns nothing";

  win32::OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_PEN);
  HPEN pen = nullptr;
  {
    win32::OwnedPen owned(CreatePen(PS_SOLID, 2, RGB(1, 2, 3)));
    pen = owned.get();
    auto selected = win32::selectInto(dc.get(), pen);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), pen);
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), before) << "deselected";
  EXPECT_EQ(GetObjectType(pen), 0u) << "then deleted";
}

// An array whose data is still accessed cannot be destroyed: the access
// must end with its owner, an empty array's included.
TEST(ComOwners, ArrayDataAccessEndsWithItsOwner) {
  for (ULONG count : {3ul, 0ul}) {
    SAFEARRAYBOUND bound{count, 0};
    SAFEARRAY* array = SafeArrayCreate(VT_R8, 1, &bound);
    ASSERT_TRUE(array);
    {
      com::SafeArrayData data(array);
      EXPECT_TRUE(data) << count;
      EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED) << count;
    }
    EXPECT_EQ(SafeArrayDestroy(array), S_OK) << count;
  }
}

}  // namespace
}  // namespace plotmate
