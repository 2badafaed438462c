#pragma once
// Tells the home-screen agent to read the settings again ("kTortamosBadge"): after each Save, so
// a new alert time reaches it before that time comes, and when the application ends.
void postChangeNotice();
