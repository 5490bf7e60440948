# Sourced with a Wine prefix folder as $1: the environment every Wine program of the project runs
# in. No Mono or Gecko prompts; and no winemenubuilder, which saving a shortcut starts in the
# background and which then holds the shortcut's target open while a test deletes it.
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
