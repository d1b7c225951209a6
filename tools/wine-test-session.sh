# Sourced by tools/wine-run.sh and tests/e2e/run-at-dpi.sh (POSIX sh): the Wine session a test case
# runs in. When the test command started several sessions side by side (tools/wine-session.sh,
# wine_test_sessions_start, which exports STARTDECK_SESSIONS) CTest gives each case one of them as
# its resource "session" (CTEST_RESOURCE_GROUP_0_SESSION="id:s2,slots:3"; cmake/Testing.cmake):
# the case takes that session's prefix and display. Otherwise, as when CTest lists the cases or runs
# in a single session, the session is the one in the environment.
if [ -n "${STARTDECK_SESSIONS:-}" ] && [ -n "${CTEST_RESOURCE_GROUP_0_SESSION:-}" ]; then
  startdeck_session=${CTEST_RESOURCE_GROUP_0_SESSION#id:}
  startdeck_session=${startdeck_session%%,*}
  if [ ! -f "$STARTDECK_SESSIONS/$startdeck_session.env" ]; then
    echo "no settings of the Wine session $startdeck_session in $STARTDECK_SESSIONS" >&2
    exit 125
  fi
  . "$STARTDECK_SESSIONS/$startdeck_session.env"
  export STARTDECK_SESSION="$startdeck_session"
fi
