// The DOS attribute bits as Samba and ntfs-3g keep them in extended attributes.
#include <gtest/gtest.h>

#include "platform/FileAttributes.h"

TEST(FileAttributes, DosAttributeValues) {
  EXPECT_EQ(FileAttributes::FromSambaDosAttrib(QByteArray("0x20\0\x05\x00", 7)), 0x20u);
  EXPECT_EQ(FileAttributes::FromSambaDosAttrib(QByteArray("0x0")), 0u);
  EXPECT_EQ(FileAttributes::FromSambaDosAttrib(QByteArray("0x")), std::nullopt);
  EXPECT_EQ(FileAttributes::FromSambaDosAttrib(QByteArray("\x05\x00", 2)), std::nullopt);
  EXPECT_EQ(FileAttributes::FromNtfsAttribBe(QByteArray("\x00\x00\x00\x21", 4)), 0x21u);
  EXPECT_EQ(FileAttributes::FromNtfsAttribBe(QByteArray("\x00\x21", 2)), std::nullopt);
}
