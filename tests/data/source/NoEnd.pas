unit NoEnd;
interface
implementation
begin
  S := GetString('x');
end
