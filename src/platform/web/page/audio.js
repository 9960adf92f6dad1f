// The game's sound output: frames the game mixed arrive as messages and are played in order
// from a bounded queue; when the queue runs low it asks for more, never beyond its room.
class BrinecastOutput extends AudioWorkletProcessor {
  constructor() {
    super();
    this.capacity = 8192;  // frames queued at most, about a sixth of a second
    this.chunks = [];
    this.offset = 0;  // frames of the first chunk already played
    this.queued = 0;
    this.asked = 0;
    this.port.onmessage = (event) => {
      const frames = event.data.length / 2;
      this.asked = Math.max(0, this.asked - frames);
      if (frames > 0) {
        this.chunks.push(event.data);
        this.queued += frames;
      }
    };
  }

  askForMore() {
    const room = this.capacity - this.queued - this.asked;
    if (room >= this.capacity / 2) {
      this.asked += room;
      this.port.postMessage(room);
    }
  }

  process(inputs, outputs) {
    const left = outputs[0][0];
    const right = outputs[0][1] || left;
    for (let i = 0; i < left.length; ++i) {
      const chunk = this.chunks[0];
      if (!chunk) {
        left[i] = 0;
        right[i] = 0;
        continue;
      }
      left[i] = chunk[this.offset * 2];
      right[i] = chunk[this.offset * 2 + 1];
      if (++this.offset * 2 >= chunk.length) {
        this.chunks.shift();
        this.offset = 0;
      }
      --this.queued;
    }
    this.askForMore();
    return true;
  }
}

registerProcessor('brinecast-output', BrinecastOutput);
