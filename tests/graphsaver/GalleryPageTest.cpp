#include "GalleryPage.h"

#include <gtest/gtest.h>

TEST(GalleryPage, LiesInTheSaversFolder) {
  EXPECT_EQ(GalleryPageOf("C:\\Screen Savers\\Plotvane.scr"), "C:\\Screen Savers\\gallery.html");
  EXPECT_EQ(GalleryPageOf("C:\\WINDOWS\\SYSTEM32\\PLOTVA~1.SCR"), "C:\\WINDOWS\\SYSTEM32\\gallery.html");
  EXPECT_EQ(GalleryPageOf("Z:/build/bin/Plotvane.scr"), "Z:/build/bin/gallery.html");
  EXPECT_EQ(GalleryPageOf("D:Plotvane.scr"), "D:gallery.html") << "a drive without a folder";
  EXPECT_EQ(GalleryPageOf("Plotvane.scr"), "gallery.html");
}
