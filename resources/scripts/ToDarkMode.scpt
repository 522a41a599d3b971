tell application "System Events"
    tell appearance preferences to set dark mode to true
end tell
