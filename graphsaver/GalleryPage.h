#pragma once

#include <string>

// The page that the settings dialog's "Get New Graph Files" opens: gallery.html, which ships
// in the saver's own folder beside Gallery.twk and shows every graph of that set.  A local
// page describes exactly the set that came with this build and needs no network.
inline constexpr char GalleryPageName[] = "gallery.html";

// The page beside the module modulePath (a Windows path such as C:\Savers\Plotvane.scr;
// "/" is taken as a separator too): its folder, up to and including the last "\", "/" or
// ":", followed by GalleryPageName.  A bare file name gives the page name alone.
std::string GalleryPageOf(const std::string& modulePath);
