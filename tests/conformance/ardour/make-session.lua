-- Builds the session that every Ardour render starts from: one stereo track holding a take as
-- long as the programme. Ardour's headless interpreter has no file import, so the track
-- records a take from the dummy engine and the stage then writes the programme into the take
-- files (tests/conformance/tool).
-- Arguments: session folder, session name, sample rate, frames the take must hold at least.
io.stdout:setvbuf("no")
local folder, name, rate, frames = arg[1], arg[2], tonumber(arg[3]), tonumber(arg[4])

assert(AudioEngine:set_backend("None (Dummy)", "", ""), "no dummy audio engine")
local session = create_session(folder, name, rate)
assert(session, "cannot create the session in " .. folder)
assert(session:nominal_sample_rate() == rate, "engine runs at " .. session:nominal_sample_rate())

local tracks = session:new_audio_track(2, 2, nil, 1, "Programme", ARDOUR.PresentationInfo.max_order,
  ARDOUR.TrackMode.Normal, true, false)
assert(tracks:size() == 1, "no stereo track")
local track = tracks:front()

track:rec_enable_control():set_value(1, PBD.GroupControlDisposition.NoGroup)
session:maybe_enable_record(false)
session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
-- The dummy engine runs in real time only as far as the machine keeps up: record until the
-- transport has passed the programme's end, with a tenth of a second to spare.
local waited = 0
while session:transport_sample() < frames + rate / 10 and waited < 60 do
  sleep(0.1)
  waited = waited + 0.1
end
session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
while not session:transport_stopped() do sleep(0.1) end
track:rec_enable_control():set_value(0, PBD.GroupControlDisposition.NoGroup)
session:disable_record(false, false)

-- Region fades would shape the first and last samples of the programme.
local regions = track:playlist():region_list()
assert(regions:size() == 1, "expected one recorded region, got " .. regions:size())
for region in regions:iter() do
  local audio = region:to_audioregion()
  audio:set_fade_in_active(false)
  audio:set_fade_out_active(false)
  print(string.format("take: %d channels, %d frames at position %d", audio:n_channels(),
    region:length():samples(), region:position():samples()))
  assert(region:length():samples() >= frames, "the take is shorter than the programme")
end

session:save_state("", false, false, false, false, false)
close_session()
