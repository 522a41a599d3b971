tell application "Finder" to empty trash
